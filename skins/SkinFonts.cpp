#include "skins/SkinFonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <stdexcept>

namespace {

QString g_family;

QString Register(const char* file) {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        throw std::runtime_error(std::string("cannot load the font ") + file);
    }
    return families.front();
}

} // namespace

void CSkinFonts::Load() {
    if (!g_family.isEmpty()) {
        return;
    }
    const QString regular = Register(kRegularFile);
    Register(kBoldFile);
    g_family = regular;
}

QFont CSkinFonts::Font(int pixelSize, bool bold) {
    QFont font(g_family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
