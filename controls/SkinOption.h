#pragma once

#include "controls/SkinButton.h"

// Option button: a click selects it (a selected one stays selected) and is reported to the
// parent, which clears the other options of the group; a selected option shows no hover.
class CSkinOption : public CSkinButton {
    Q_OBJECT

public:
    explicit CSkinOption(QWidget* parent = nullptr);

protected:
    void Clicked() override;
    bool TracksHover() const override { return Latched() == 0; }
};
