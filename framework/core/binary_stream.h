#pragma once
// Writing a file so that a failure loses nothing: Create opens a new temporary file beside the
// target; Close renames it over the target only once everything is written and closed. A stream
// dropped before Close (after a failed write, say) removes its temporary file and leaves the
// target as it was.
#include <cstdint>
#include <memory>

#include "framework/core/folder_item.h"
#include "framework/core/text.h"

class BinaryStream : public Object {
    TW_CLASS_INFO
public:
    // `replace` True: Close replaces an existing file of that name; False: Create raises
    // IOException when it exists. Raises IOException (ErrorNumber = errno) when the file cannot be
    // created; NilObjectException for a Nil item.
    static std::shared_ptr<BinaryStream> Create(const std::shared_ptr<FolderItem>& file,
                                                bool replace);
    ~BinaryStream() override;
    BinaryStream(const BinaryStream&) = delete;
    BinaryStream& operator=(const BinaryStream&) = delete;

    // Writes the bytes unchanged; IOException (ErrorNumber = errno) when the write fails.
    void Write(const String& data);
    // Flushes, closes and puts the file in place; IOException when any of that fails.
    void Close();
    int32_t LastErrorCode() const { return lastError_; }

private:
    BinaryStream(std::shared_ptr<FolderItem> file, bool replace, int fd, std::filesystem::path temp);
    std::shared_ptr<FolderItem> file_;
    bool replace_;
    int fd_ = -1;
    std::filesystem::path temp_;
    int32_t lastError_ = 0;
};
