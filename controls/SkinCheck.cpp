#include "controls/SkinCheck.h"

#include "controls/SkinHost.h"

CSkinCheck::CSkinCheck(QWidget* parent) : CSkinButton(parent) {}

void CSkinCheck::Clicked() {
    SetLatchedState(1 - Latched());
    update();
    if (CSkinHost* host = Host()) {
        host->OnCheckClicked(index);
    }
}
