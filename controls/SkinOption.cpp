#include "controls/SkinOption.h"

#include "controls/SkinHost.h"

CSkinOption::CSkinOption(QWidget* parent) : CSkinButton(parent) {}

void CSkinOption::Clicked() {
    SetLatchedState(1);
    update();
    if (CSkinHost* host = Host()) {
        host->OnOptionClicked(index);
    }
}
