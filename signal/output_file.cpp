// The output folder and the writing of one generated file.
#include "framework/core/binary_stream.h"
#include "signal/generator.h"

namespace {

// A name for a message: control bytes shown as \xNN so that a NUL cannot cut the message short.
String Printable(const String& name) {
    static const char digits[] = "0123456789ABCDEF";
    String out;
    for (unsigned char b : name) {
        if (b < 0x20 || b == 0x7F) {
            out += "\\x";
            out += digits[b >> 4];
            out += digits[b & 0xF];
        } else {
            out += char(b);
        }
    }
    return out;
}

String FileName(const String& data, uint32_t baud, uint32_t sampleRate, uint32_t freqHigh,
                uint32_t freqLow) {
    return data + "br" + Str(baud) + "sr" + Str(sampleRate) + "hi" + Str(freqHigh) + "lo" +
           Str(freqLow) + ".wav";
}

}  // namespace

namespace Module1 {

std::shared_ptr<FolderItem> wavFolder() {
    std::shared_ptr<FolderItem> docs = SpecialFolder::Documents();
    Deref(docs, "the Documents folder").CreateAsFolder();
    std::shared_ptr<FolderItem> folder = docs->Child("Tarnwhistle");
    Deref(folder, "the output folder").CreateAsFolder();
    return folder;
}

std::shared_ptr<FolderItem> generate(const String& data, const String& head, const String& foot,
                                     uint32_t baud, uint32_t sampleRate, uint32_t freqHigh,
                                     uint32_t freqLow) {
    // The whole image exists before the disk is touched.
    GeneraterClass generator;
    generator.Constructor(data, head, foot, baud, sampleRate, freqHigh, freqLow);

    std::shared_ptr<FolderItem> folder = wavFolder();
    const String name = FileName(data, baud, sampleRate, freqHigh, freqLow);
    // Nil for a name that is not one file name, a path say.
    std::shared_ptr<FolderItem> file = folder->Child(name);
    Deref(file, "the file item for \"" + Printable(name) + "\" (a file name cannot be a path)");

    // An empty folder at the name goes, as a delete would take it; the stream cannot replace a
    // folder. One that holds anything stays, and the stream refuses it.
    if (file->Directory()) file->Delete();

    // The stream writes beside the old file and replaces it only once the image is complete,
    // so a failed write leaves the old file as it was.
    std::shared_ptr<BinaryStream> stream = BinaryStream::Create(file);
    stream->Write(generator.mWavData);
    stream->Close();
    return file;
}

}  // namespace Module1
