#pragma once

#include <QString>
#include <optional>

class SkinDescriptionReader;

// Whether a skin description can build a usable window: it must exist, stay within 1 MiB and
// name a background bitmap that loads and whose outline stays small. Checked before the
// current skin is given up.
class CSkinUsability {
public:
    // Why the skin `description` reads cannot be used, or nothing when it can.
    static std::optional<QString> Problem(const SkinDescriptionReader& description);
};
