#pragma once
// Writing a file so that a failure loses nothing: Create opens a new file with no name in the
// target's folder (O_TMPFILE), so that a program killed mid-write leaves nothing behind; Close
// gives it a short hidden name (".tw-" and six characters, so it fits wherever the target's name
// fits and never looks like a .wav) once everything is written and synced, and renames it over
// the target, then syncs the folder so that the rename outlasts a power cut. Until that sync the
// old file keeps a second hidden name, so that a failure can put it back. Where the file system
// refuses unnamed files the temporary file is named from the start. A stream dropped before
// Close (after a failed write, say) leaves the target as it was and no temporary file. The new
// file gets the permissions a plain open() would give it (0666 less the umask).
#include <cstdint>
#include <memory>

#include "framework/core/folder_item.h"
#include "framework/core/text.h"

class BinaryStream : public Object {
    TW_CLASS_INFO
  public:
    // Close replaces an existing file of that name. Raises IOException (ErrorNumber = errno, also
    // set as the item's LastErrorCode, message naming the file) when the file cannot be created,
    // a name too long for its folder (ENAMETOOLONG) and a folder standing at the name (EISDIR)
    // included; NilObjectException for a Nil item.
    static std::shared_ptr<BinaryStream> Create(const std::shared_ptr<FolderItem>& file);
    ~BinaryStream() override;
    BinaryStream(const BinaryStream&) = delete;
    BinaryStream& operator=(const BinaryStream&) = delete;

    // Writes the bytes unchanged, all of them; IOException (ErrorNumber = errno) when the write
    // fails, and EBADF after Close. The stream then stays unclosed: dropping it removes the
    // temporary file.
    void Write(const String& data);
    // fsyncs, closes, puts the file in place and syncs the folder; IOException (message naming
    // the file and the error) when any of that fails, and then the target is as it was (unless
    // the file system has no hard links and only the folder's sync failed) and the temporary
    // file is removed. A second Close does nothing.
    void Close();
    int32_t LastErrorCode() const { return lastError_; }

  private:
    BinaryStream(std::shared_ptr<FolderItem> file, int fd, std::filesystem::path temp);
    std::shared_ptr<FolderItem> file_;
    int fd_ = -1;
    std::filesystem::path temp_;  // the temporary file's name; empty while it has none
    int32_t lastError_ = 0;
};
