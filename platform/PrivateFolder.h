#pragma once

#include <string>

// A fresh folder only this user may enter (mode 0700), made in the system's temporary folder
// (TMPDIR, else /tmp), and removed with everything in it when the object goes. Removal never
// follows a symbolic link: a link inside is removed, never what it points to.
class CPrivateFolder {
public:
    // Throws std::system_error when no folder can be made.
    explicit CPrivateFolder(const std::string& prefix = "tipin-");
    ~CPrivateFolder();
    CPrivateFolder(const CPrivateFolder&) = delete;
    CPrivateFolder& operator=(const CPrivateFolder&) = delete;

    // The folder's full path, with a trailing "/".
    const std::string& Path() const { return m_path; }

    // Removes `folder` and everything below it without following links; false when anything
    // is left.
    static bool RemoveTree(const std::string& folder);

private:
    std::string m_path;
};
