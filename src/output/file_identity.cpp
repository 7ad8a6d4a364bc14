#include "output/file_identity.hpp"

#include <cerrno>
#include <climits>
#include <cstring>
#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fmt/format.h>

namespace bp::out {
namespace {

FileIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string leafOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The read buffer of an input: decks and plot files are read in large blocks.
constexpr std::size_t READ_BUFFER = 1 << 16;

}   // namespace

std::string reasonOf(int errnum) {
    switch (errnum) {
    case ENOENT: return "no such file";
    case EACCES:
    case EPERM: return "permission denied";
    case ENAMETOOLONG: return "the name is too long";
    case ENOTDIR: return "a part of the name is not a folder";
    case EISDIR: return "is a directory";
    case ELOOP: return "too many symbolic links";
    case EROFS: return "the file system is read-only";
    case ENOSPC: return "the disk is full";
    case EDQUOT: return "the disk quota is used up";
    case EFBIG: return "the file is larger than allowed (file size limit)";
    case EEXIST: return "the file exists";
    case EIO: return "input/output error";
    default: {
        std::string text = std::strerror(errnum);
        if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        return text;
    }
    }
}

OutputTarget resolveOutput(const std::string& name) {
    OutputTarget t;
    t.path = name;
    if (name.empty()) {
        t.error = ENOENT;
        return t;
    }
    // Follow a symbolic link at the end of the name, link after link.
    struct stat st {};
    for (int hops = 0;; ++hops) {
        if (::lstat(t.path.c_str(), &st) != 0) {
            if (errno != ENOENT) t.error = errno;
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            t.exists = true;
            break;
        }
        if (hops == 40) {
            t.error = ELOOP;
            break;
        }
        char target[PATH_MAX];
        const ssize_t n = ::readlink(t.path.c_str(), target, sizeof target - 1);
        if (n < 0) {
            t.error = errno;
            break;
        }
        const std::string link(target, static_cast<std::size_t>(n));
        t.path = link.starts_with('/') ? link : folderOf(t.path) + "/" + link;
    }
    if (t.exists) {
        t.file = identityOf(st);
        t.regular = S_ISREG(st.st_mode);
        t.directory = S_ISDIR(st.st_mode);
    }
    t.folder = folderOf(t.path);
    struct stat folder {};
    if (::stat(t.folder.c_str(), &folder) == 0) {
        if (S_ISDIR(folder.st_mode))
            t.folderIdentity = identityOf(folder);
        else if (!t.error)
            t.error = ENOTDIR;
    } else if (!t.error) {
        t.error = errno;
    }
    return t;
}

InputFile::~InputFile() {
    stream_.reset();
    buffer_.reset();   // closes the descriptor
}

bool InputFile::open(const std::string& name) {
    if (name.empty()) {
        reason_ = "no name given";
        return false;
    }
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0) {
        reason_ = reasonOf(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        reason_ = "is a directory";
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        reason_ = S_ISFIFO(st.st_mode)                           ? "is a FIFO, not a regular file"
                  : (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) ? "is a device, not a regular file"
                                                                 : "is not a regular file";
        return false;
    }
    // Non-blocking, so that a file swapped for a FIFO since the look-up
    // cannot hold the run; what was opened is what is checked.
    const int fd = ::open(name.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        reason_ = reasonOf(errno);
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        reason_ = "is not a regular file";
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    identity_ = identityOf(st);
    buffer_ =
        std::make_unique<__gnu_cxx::stdio_filebuf<char>>(fd, std::ios::in | std::ios::binary, READ_BUFFER);
    stream_ = std::make_unique<std::istream>(buffer_.get());
    return true;
}

bool InputFile::rewind() {
    if (!stream_) return false;
    stream_->clear();
    return static_cast<bool>(stream_->seekg(0));
}

void FileNames::input(std::string role, std::string name, FileIdentity identity) {
    inputs_.push_back({std::move(role), std::move(name), identity});
}

std::optional<std::string> FileNames::output(std::string role, const std::string& name) {
    Named named{std::move(role), name, resolveOutput(name)};
    const OutputTarget& t = named.target;
    if (t.directory) return fmt::format("{} '{}' is a directory", named.role, name);
    if (t.exists && !t.regular) {
        // A device or a FIFO is written as a stream; nothing is replaced.
        outputs_.push_back(std::move(named));
        return std::nullopt;
    }
    for (const Input& in : inputs_) {
        if (t.file && *t.file == in.identity)
            return in.name == name ? fmt::format("{} '{}' is {}", named.role, name, in.role)
                                   : fmt::format("{} '{}' is {} '{}'", named.role, name, in.role, in.name);
    }
    for (const Named& before : outputs_) {
        const OutputTarget& b = before.target;
        if (b.exists && !b.regular) continue;
        const bool sameFile = t.file && b.file && *t.file == *b.file;
        const bool sameName = t.folderIdentity && b.folderIdentity &&
                              *t.folderIdentity == *b.folderIdentity && leafOf(t.path) == leafOf(b.path);
        if (sameFile || sameName)
            return fmt::format("{} '{}' and {} '{}' are the same file", before.role, before.name, named.role,
                               name);
    }
    outputs_.push_back(std::move(named));
    return std::nullopt;
}

}   // namespace bp::out
