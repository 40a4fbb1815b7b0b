#pragma once

#include <string>

// The temporary file a save writes before it takes the target's place. It lives in the
// target's directory, so that putting it in place is a rename within one file system.
// Where the file system allows, it has no name until it is complete, so a save killed
// half-way leaves nothing behind; otherwise it is named ".quillmate-" and six letters or
// digits, which removeStaleTempFiles recognises.
class TempFile {
public:
    TempFile() = default;
    ~TempFile();  // closes the file and removes what is left of it
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Makes the file in `directory`; 0, or the errno of the failure.
    [[nodiscard]] int open(const std::string& directory);
    // The descriptor to write to; -1 before open and after replace.
    [[nodiscard]] int fd() const { return fd_; }
    // Whether the file was made with a name, and so with owner-only permissions; an
    // unnamed one was made with the permissions the umask and the folder's default ACL
    // give a new file.
    [[nodiscard]] bool named() const { return !name_.empty(); }
    // Closes the file and renames it over `target`; 0, or the errno of the failure, after
    // which the target is as it was and the temporary file is gone.
    [[nodiscard]] int replace(const std::string& target);

private:
    // Gives the unnamed file a name of the recognised shape; 0 or errno.
    int link();

    int fd_ = -1;
    std::string directory_;
    std::string name_;  // empty while the file has no name
};

// Removes the temporary files that interrupted saves of this user left in `directory`:
// named as above, regular files, owned by the user and unchanged for an hour, so that a
// save still in progress elsewhere keeps its file. Failures are ignored.
void removeStaleTempFiles(const std::string& directory);
