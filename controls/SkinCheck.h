#pragma once

#include "controls/SkinButton.h"

// Check box: a click toggles `latched` (ticked) and is reported to the parent; a ticked box
// shows no hover.
class CSkinCheck : public CSkinButton {
    Q_OBJECT

public:
    explicit CSkinCheck(QWidget* parent = nullptr);

protected:
    void Clicked() override;
    bool TracksHover() const override { return Latched() == 0; }
};
