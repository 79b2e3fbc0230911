#include "skins/ContactSheet.h"
#include "skins/SkinGenerator.h"

#include <QGuiApplication>
#include <cstring>
#include <exception>
#include <iostream>

// tipin-skin-generator <output folder> [--contact-sheet <png>]
int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--contact-sheet") == 0)) {
        std::cerr << "usage: tipin-skin-generator <output folder> [--contact-sheet <png>]\n";
        return 2;
    }
    QGuiApplication app(argc, argv);
    try {
        const std::string root = argv[1];
        const auto skins = CSkinGenerator::WriteAll(root);
        if (argc == 4) {
            std::vector<std::string> folders;
            for (const GeneratedSkin& skin : skins) {
                folders.push_back(root + "/" + skin.folder);
            }
            if (!CContactSheet::Compose(folders, 3).save(QString::fromLocal8Bit(argv[3]))) {
                std::cerr << "cannot write " << argv[3] << '\n';
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "tipin-skin-generator: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
