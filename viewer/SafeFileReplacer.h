#pragma once

#include <string>

// Writes a new version of a file beside it and puts it in place only when it is complete.
// The new file is written in the target's folder as an anonymous file (Linux O_TMPFILE), so
// that a process killed while writing leaves nothing behind; it gets a name only just before
// it is renamed over the target. Where the file system refuses anonymous files, a hidden
// `.tipin-XXXXXX` file stands in. The new file is flushed to disk and takes the target's
// permission bits, and its owner and group where the system allows it; a target that does not
// exist yet gets the permission bits a new file gets (0666 less the umask). Until Commit succeeds
// the target is untouched, and a replacer destroyed without Commit leaves no file.
class SafeFileReplacer {
public:
    enum class Kind {
        Anonymous, // an O_TMPFILE file, or a named one where the folder refuses it
        Named,     // always a named file (what the fallback does; tests use it)
    };

    // `target` is the file to replace, as ResolveTarget gives it: a symbolic link given here
    // would itself be replaced.
    explicit SafeFileReplacer(const std::string& target, Kind kind = Kind::Anonymous);
    ~SafeFileReplacer();
    SafeFileReplacer(const SafeFileReplacer&) = delete;
    SafeFileReplacer& operator=(const SafeFileReplacer&) = delete;

    // The file that `path` stands for: `path` itself, or, when it is a symbolic link, the
    // file the link leads to, so that the link stays a link. A link that leads nowhere (or
    // in a circle) throws TiffError. A missing path is returned as it is.
    static std::string ResolveTarget(const std::string& path);

    int Descriptor() const { return m_fd; }
    bool IsAnonymous() const { return m_anonymous; }
    // Empty while the new file is anonymous.
    const std::string& TemporaryPath() const { return m_temporary; }
    // Empties the new file for a fresh start.
    void Truncate();
    void Commit();
    // Gives the new file the target's name only if nothing has that name yet; throws
    // TiffError otherwise, leaving what is there alone.
    void CommitAsNew();

private:
    bool OpenAnonymous(const std::string& folder);
    void OpenNamed(const std::string& folder);
    void TakeOwnerAndMode();
    void GiveName(const std::string& folder);
    void Flush();
    void Discard();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_anonymous = false;
    bool m_committed = false;
};
