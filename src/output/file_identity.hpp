#pragma once
// Which file a name stands for: inputs and outputs are told apart by
// device and inode, not by how they are spelt, so that "deck", "./deck", a
// hard link and a symbolic link to the deck are all the deck. An output
// that is an input, or two outputs that are one file, are refused before
// anything is opened for writing.
//
//     bp::out::InputFile deck;
//     if (!deck.open(deckName)) ... deck.reason() ...        // "is a directory"
//     bp::out::FileNames names;
//     names.input("the input deck", deckName, deck.identity());
//     if (auto why = names.output("the report", reportName)) ... *why ...
//
// Refusals are whole sentences without the program's name, for example
// "the report 'deck' is the input deck", ready to be prefixed.

#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

namespace bp::out {

struct FileIdentity {
    std::uint64_t device = 0, inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The reason of a failed system call on a file, in the words of a message
// ("no such file", "permission denied", "the name is too long" ...).
std::string reasonOf(int errnum);

// Where an output of this name lands. A symbolic link as the last part of
// the name is followed (the file it points to is written, the link stays),
// so `path` is the name of the file that will be replaced or created.
struct OutputTarget {
    std::string path;
    std::string folder;   // the folder that holds it ("." for none named)
    std::optional<FileIdentity> folderIdentity;
    std::optional<FileIdentity> file;   // the existing file, when there is one
    bool exists = false;
    bool regular = false;   // an existing regular file
    bool directory = false;
    int error = 0;   // errno of the look-up when it failed otherwise
};
OutputTarget resolveOutput(const std::string& name);

// An input opened for reading: a regular file only (a directory, a FIFO or
// a device is refused with its reason), identified by what was opened.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool open(const std::string& name);
    const std::string& reason() const { return reason_; }
    FileIdentity identity() const { return identity_; }
    std::istream& stream() { return *stream_; }
    // Reads the file again from its start (a second pass).
    bool rewind();

private:
    std::string reason_;
    FileIdentity identity_;
    std::unique_ptr<std::streambuf> buffer_;
    std::unique_ptr<std::istream> stream_;
};

// The names of one run, checked against one another as they are added.
class FileNames {
public:
    void input(std::string role, std::string name, FileIdentity identity);
    // Nothing when the output may be written; else the refusal: it is an
    // input, it is an output named before, or it is a directory.
    std::optional<std::string> output(std::string role, const std::string& name);

private:
    struct Named {
        std::string role, name;
        OutputTarget target;
    };
    struct Input {
        std::string role, name;
        FileIdentity identity;
    };
    std::vector<Input> inputs_;
    std::vector<Named> outputs_;
};

}   // namespace bp::out
