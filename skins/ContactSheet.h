#pragma once

#include <QImage>
#include <string>
#include <vector>

// One picture of several skin folders side by side, each as the window would first look:
// the background, every visible control's normal frame, the edit boxes and the labels.
class CContactSheet {
public:
    static QImage Compose(const std::vector<std::string>& skinFolders, int columns);
    static QImage RenderSkin(const std::string& skinFolder);
};
