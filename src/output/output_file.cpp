#include "output/output_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <stdio.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include "output/cleanup.hpp"
#include "output/file_identity.hpp"
#include "output/output_block.hpp"

namespace bp::out {
namespace {

// The buffer's first size; it doubles up to a block.
constexpr std::size_t FIRST_BUFFER = 1 << 15;
// A block at least this large is written from where it stands, behind
// whatever the buffer holds, up to the last block boundary it reaches; only
// what lies beyond that boundary is copied into the buffer.
constexpr std::size_t STRAIGHT_THROUGH = 1 << 15;
// A temporary's name keeps at most this much of the output's name, so that
// it stays within the 255 bytes a folder entry may have.
constexpr std::size_t KEPT_OF_NAME = 200;

// A stream buffer over a descriptor that remembers the first failed write.
// Every write but the last ends at a multiple of OUTPUT_BLOCK from the
// start of the file: the buffer ends where the next boundary falls. The
// buffer is taken only when the first characters arrive, small at first
// (a short run never maps a block it does not fill), and grows to a block
// as the output does; it is left uninitialised (nothing is read before it
// is written).
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd_(fd) {}
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (error_) return traits_type::eof();
        const auto held = static_cast<std::size_t>(pptr() - pbase());
        if (held < toBoundary()) {
            grow(held + 1);   // the buffer ended before the boundary
        } else if (!drain()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize count) override {
        if (count <= 0) return 0;
        const auto n = static_cast<std::size_t>(count);
        const auto held = static_cast<std::size_t>(pptr() - pbase());
        if (n >= STRAIGHT_THROUGH) {
            if (error_) return 0;
            // What the buffer holds and the block, up to the last boundary
            // they reach; when they reach none, all of them.
            const std::size_t total = held + n;
            const std::size_t room = toBoundary();
            const std::size_t cut = total < room ? total : room + (total - room) / OUTPUT_BLOCK * OUTPUT_BLOCK;
            struct iovec parts[2] = {{pbase(), held}, {const_cast<char*>(s), cut - held}};
            if (!writeAll(parts, cut)) return 0;
            const std::size_t rest = total - cut;   // less than a block, and the file stands on a boundary
            if (block_) restart();
            if (rest > 0) {
                if (rest > capacity_) grow(rest);
                std::memcpy(pptr(), s + (n - rest), rest);
                pbump(static_cast<int>(rest));
            }
            return count;
        }
        if (n <= static_cast<std::size_t>(epptr() - pptr())) {
            std::memcpy(pptr(), s, n);
            pbump(static_cast<int>(n));
            return count;
        }
        return std::streambuf::xsputn(s, count);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    // Bytes from the end of the file to the next block boundary (a whole
    // block when it stands on one).
    std::size_t toBoundary() const { return OUTPUT_BLOCK - static_cast<std::size_t>(written_ % OUTPUT_BLOCK); }
    // An empty buffer that ends at the next boundary, or at its own end
    // when that comes first.
    void restart() { setp(block_.get(), block_.get() + std::min(capacity_, toBoundary())); }
    // A buffer of at least `needed` characters (at most a block), keeping
    // what it holds: doubled from FIRST_BUFFER as often as it takes.
    void grow(std::size_t needed) {
        std::size_t capacity = std::max(capacity_, FIRST_BUFFER);
        while (capacity < needed && capacity < OUTPUT_BLOCK) capacity *= 2;
        capacity = std::min(capacity, OUTPUT_BLOCK);
        const auto held = static_cast<std::size_t>(pptr() - pbase());
        std::unique_ptr<char[]> larger(new char[capacity]);   // default-initialised: not zero-filled
        if (held > 0) std::memcpy(larger.get(), pbase(), held);
        block_ = std::move(larger);
        capacity_ = capacity;
        restart();
        pbump(static_cast<int>(held));
    }
    bool drain() {
        if (error_) return false;
        const auto held = static_cast<std::size_t>(pptr() - pbase());
        struct iovec parts[2] = {{pbase(), held}, {nullptr, 0}};
        if (!writeAll(parts, held)) return false;
        if (block_) restart();
        return true;
    }
    // Writes both parts whole (`length` bytes), however the kernel splits them.
    bool writeAll(struct iovec (&parts)[2], std::size_t length) {
        struct iovec* at = parts;
        int left = 2;
        while (left > 0) {
            if (at->iov_len == 0) {
                ++at;
                --left;
                continue;
            }
            const ssize_t n = ::writev(fd_, at, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                return false;
            }
            auto done = static_cast<std::size_t>(n);
            while (left > 0 && done >= at->iov_len) {
                done -= at->iov_len;
                ++at;
                --left;
            }
            if (left > 0) {
                at->iov_base = static_cast<char*>(at->iov_base) + done;
                at->iov_len -= done;
            }
        }
        written_ += length;
        return true;
    }
    int fd_;
    int error_ = 0;
    std::uint64_t written_ = 0;   // bytes written to the descriptor so far
    std::unique_ptr<char[]> block_;
    std::size_t capacity_ = 0;
};

// Six letters or digits for a temporary's name, from the kernel's random
// bytes in one call (the C++ library's random device asks the processor
// what it offers first, which costs a one-problem run more than its
// numbers); the random device only when that call fails. The name is only
// a first guess, taken with O_EXCL and tried again.
std::string randomSuffix() {
    static constexpr char LETTERS[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[6];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        std::random_device device;
        for (unsigned char& b : bytes) b = static_cast<unsigned char>(device());
    }
    std::string s(6, 'a');
    for (std::size_t k = 0; k < s.size(); ++k) s[k] = LETTERS[bytes[k] % (sizeof LETTERS - 1)];
    return s;
}

// Moves `from` to the free name `to`; EEXIST when `to` is taken.
int renameToFreeName(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without it: a hard link is never made over a file.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    return errno;
}

// The folders of a run's outputs, locked while the outputs are put in
// place, so that the outputs of two runs finishing together go in as two
// whole sets, one after the other. The locks are taken in the order of the
// folders' identities, so two runs never wait for each other in a circle;
// a folder that cannot be locked is used unlocked.
class FolderLocks {
public:
    explicit FolderLocks(const std::vector<std::string>& targets) {
        std::vector<std::pair<FileIdentity, std::string>> folders;
        for (const std::string& t : targets) {
            const OutputTarget r = resolveOutput(t);
            if (r.folderIdentity) folders.emplace_back(*r.folderIdentity, r.folder);
        }
        std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) {
            return std::pair(a.first.device, a.first.inode) < std::pair(b.first.device, b.first.inode);
        });
        for (std::size_t k = 0; k < folders.size(); ++k) {
            if (k > 0 && folders[k].first == folders[k - 1].first) continue;
            const int fd = ::open(folders[k].second.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0) continue;
            while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {}
            fds_.push_back(fd);
        }
    }
    ~FolderLocks() {
        for (int fd : fds_) ::close(fd);
    }
    FolderLocks(const FolderLocks&) = delete;
    FolderLocks& operator=(const FolderLocks&) = delete;

private:
    std::vector<int> fds_;
};

}   // namespace

OutputFile::OutputFile(const std::string& name, Existing existing) : name_(name), existing_(existing) {
    const OutputTarget t = resolveOutput(name);
    target_ = t.path;
    if (t.directory) {
        reason_ = "is a directory";
        return;
    }
    if (t.error) {
        reason_ = t.error == ENOENT && !t.folderIdentity ? "no such folder" : reasonOf(t.error);
        return;
    }
    if (t.exists && existing == Existing::Keep) {
        reason_ = "the file exists";
        return;
    }
    if (t.exists && !t.regular) {
        direct_ = true;
        fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) {
            reason_ = reasonOf(errno);
            return;
        }
    } else {
        // An existing file keeps its permissions; a new one gets the usual
        // ones of the user's umask.
        struct stat st {};
        const bool replacing = t.exists && ::stat(target_.c_str(), &st) == 0;
        std::string leaf = target_.substr(target_.find_last_of('/') + 1);
        if (leaf.size() > KEPT_OF_NAME) leaf.resize(KEPT_OF_NAME);
        const std::string prefix = (t.folder == "." && target_.find('/') == std::string::npos)
                                       ? std::string()
                                       : (t.folder == "/" ? "/" : t.folder + "/");
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            temporary_ = prefix + leaf + ".unfinished-" + randomSuffix();
            // Registered before it exists, so that no moment is left where
            // a signal would leave it behind.
            registerTemporary(temporary_);
            fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
            if (fd_ < 0) {
                const int e = errno;
                unregisterTemporary(temporary_);
                if (e != EEXIST) {
                    temporary_.clear();
                    reason_ = reasonOf(e);
                    return;
                }
            }
        }
        if (fd_ < 0) {
            temporary_.clear();
            reason_ = "no free name for a temporary file";
            return;
        }
        if (replacing) ::fchmod(fd_, st.st_mode & 07777);
    }
    buffer_ = std::make_unique<DescriptorBuffer>(fd_);
    stream_ = std::make_unique<std::ostream>(buffer_.get());
    ready_ = true;
}

OutputFile::~OutputFile() { abort(); }

bool OutputFile::fail(int errnum) {
    reason_ = reasonOf(errnum);
    return false;
}

bool OutputFile::finish() {
    if (finished_) return reason_.empty();
    if (!ready_) return false;
    finished_ = true;
    stream_->flush();
    auto* buffer = static_cast<DescriptorBuffer*>(buffer_.get());
    if (buffer->error()) return fail(buffer->error());
    if (!*stream_) return fail(EIO);
    // fsync of a terminal or a pipe means nothing; a file's data must be on
    // the disk before its name is.
    if (!direct_ && ::fsync(fd_) != 0) return fail(errno);
    struct stat st {};
    if (::fstat(fd_, &st) == 0)
        written_ = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) return fail(errno);
    return true;
}

bool OutputFile::place() {
    if (direct_) return true;
    const int e = existing_ == Existing::Replace
                      ? (::rename(temporary_.c_str(), target_.c_str()) == 0 ? 0 : errno)
                      : renameToFreeName(temporary_, target_);
    if (e != 0) {
        reason_ =
            e == EEXIST ? "the file was created by someone else while this run was writing" : reasonOf(e);
        return false;
    }
    unregisterTemporary(temporary_);
    temporary_.clear();
    committed_ = true;
    return true;
}

// Takes back a name this run created, if it still holds this run's file.
void OutputFile::unplace() {
    if (!committed_ || direct_ || existing_ == Existing::Replace) return;
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0 && static_cast<std::uint64_t>(st.st_dev) == written_.device &&
        static_cast<std::uint64_t>(st.st_ino) == written_.inode)
        ::unlink(target_.c_str());
    committed_ = false;
}

bool OutputFile::commit() {
    if (committed_) return true;
    if (!finish() || !place()) {
        abort();
        return false;
    }
    return true;
}

void OutputFile::abort() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        unregisterTemporary(temporary_);
        temporary_.clear();
    }
    finished_ = true;
    ready_ = false;
}

bool commitTogether(std::span<OutputFile* const> files, OutputFile*& failed) {
    failed = nullptr;
    for (OutputFile* f : files)
        if (!failed && !f->finish()) failed = f;
    if (!failed) {
        std::vector<std::string> targets;
        for (OutputFile* f : files)
            if (!f->direct_) targets.push_back(f->target_);
        FolderLocks locks(targets);
        // A signal now would leave some outputs placed and others not.
        SignalsHeld held;
        // The new names first: they are the ones that can be found taken,
        // and they can be taken back; a replaced file's old text cannot.
        for (bool replacing : {false, true}) {
            for (OutputFile* f : files) {
                if (failed || (f->existing_ == Existing::Replace) != replacing) continue;
                if (!f->place()) failed = f;
            }
        }
        if (failed)
            for (OutputFile* g : files) g->unplace();
    }
    if (failed)
        for (OutputFile* f : files) f->abort();
    return failed == nullptr;
}

DiscardStream::DiscardStream() : std::ostream(&buffer_) {}

DiscardStream::Buffer::int_type DiscardStream::Buffer::overflow(int_type c) {
    setp(sink_, sink_ + sizeof sink_);
    return traits_type::not_eof(c);
}

}   // namespace bp::out
