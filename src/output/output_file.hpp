#pragma once
// An output written safely: the text goes to a temporary file in the same
// folder as the output ("NAME.unfinished-XXXXXX"), and only when it has
// all reached the disk is the temporary renamed over the output. Until
// then an existing file of that name stays exactly as it was, and a run
// that fails, throws or is stopped by a signal leaves nothing behind
// (after SIGKILL at most the clearly named temporary).
//
// Without permission to replace, the output is moved into place only if
// the name is still free at that moment (rename without replacing, or a
// hard link), so two runs can never both write one name. With it, the
// last run to finish wins whole; two runs are never mixed in one file.
//
// An existing output that is not a regular file (/dev/null, a terminal, a
// FIFO) is written directly: there is nothing to replace.
//
// Use, after the names were checked (file_identity.hpp) and the process
// prepared (cleanup.hpp):
//
//     bp::out::OutputFile xml(name, force ? bp::out::Existing::Replace
//                                         : bp::out::Existing::Keep);
//     if (!xml.ready()) { std::cerr << "cannot write '" << name << "': " << xml.reason(); return 2; }
//     writeLandXml(xml.stream(), ...);
//     if (!xml.commit()) { std::cerr << ... xml.reason(); return 1; }   // nothing replaced
//
// Several outputs of one run go into place together, or none of them:
//
//     if (!bp::out::commitTogether({&report, &plot}, failed)) ... failed->reason() ...
//
// Destroying an OutputFile that was not committed removes its temporary.

#include <initializer_list>
#include <memory>
#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <vector>

#include "output/file_identity.hpp"

namespace bp::out {

enum class Existing { Keep, Replace };

class OutputFile {
public:
    OutputFile(const std::string& name, Existing existing);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False when the temporary could not be created; reason() says why.
    bool ready() const { return ready_; }
    const std::string& reason() const { return reason_; }
    const std::string& name() const { return name_; }
    std::ostream& stream() { return *stream_; }

    // Everything written has reached the disk (flushed, synced, closed);
    // false when not all of it could be written. Called by commit().
    bool finish();
    // Moves the finished output into place; false (and nothing replaced)
    // when it could not be finished or the name was taken meanwhile.
    bool commit();
    // Removes the temporary; an output already in place stays.
    void abort();

private:
    friend bool commitTogether(std::span<OutputFile* const>, OutputFile*&);
    bool place();
    void unplace();
    bool fail(int errnum);

    std::string name_;     // as given
    std::string target_;   // the file replaced or created (a final symbolic link followed)
    std::string temporary_;
    Existing existing_;
    bool direct_ = false;   // written in place: a device or a FIFO
    bool ready_ = false, finished_ = false, committed_ = false;
    int fd_ = -1;
    FileIdentity written_;   // the file this run wrote, once finished
    std::string reason_;
    std::unique_ptr<std::streambuf> buffer_;
    std::unique_ptr<std::ostream> stream_;
};

// Finishes every output, then moves them all into place, the new names
// first and the replaced files last, with the folders locked against other
// runs doing the same. When one cannot be finished or placed, the new names
// already placed are taken back, every temporary is removed, `failed`
// names the one at fault, and the result is false.
bool commitTogether(std::span<OutputFile* const> files, OutputFile*& failed);
inline bool commitTogether(std::initializer_list<OutputFile*> files, OutputFile*& failed) {
    return commitTogether(std::span<OutputFile* const>(files.begin(), files.size()), failed);
}

// A stream that takes everything and keeps nothing: the plot commands of a
// run that asked for no plot.
class DiscardStream : public std::ostream {
public:
    DiscardStream();

private:
    class Buffer : public std::streambuf {
    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char*, std::streamsize n) override { return n; }

    private:
        char sink_[256];
    } buffer_;
};

}   // namespace bp::out
