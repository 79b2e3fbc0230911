#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinListBox.h"
#include "controls/SkinOption.h"
#include "controls/SkinScrollBar.h"
#include "controls/SkinSlider.h"
#include "platform/QtConvert.h"
#include "skin/FocusChain.h"
#include "skin/SkinDialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace {

// The control whose own index is `index`: positions and indexes differ after an empty record.
template <typename Control> Control* WithIndex(const std::vector<Control*>& registry, int index) {
    const auto found = std::find_if(registry.begin(), registry.end(),
                                    [index](const Control* c) { return c->index == index; });
    return found == registry.end() ? nullptr : *found;
}

// The first control named `name`, in creation order.
template <typename Control>
Control* Named(const std::vector<Control*>& registry, const QString& name) {
    const auto found = std::find_if(registry.begin(), registry.end(),
                                    [&name](const Control* c) { return c->name == name; });
    return found == registry.end() ? nullptr : *found;
}

} // namespace

void CSkinDialog::ButtonPressed(const QString&) {}

void CSkinDialog::OptionSelected(const QString&) {}

void CSkinDialog::OnButtonClicked(int index) {
    if (CSkinButton* button = WithIndex(buttons, index)) {
        ButtonPressed(button->name);
    }
}

// All options form one group, except those named "OPTION_AUDIOSTREAM1".
void CSkinDialog::OnOptionClicked(int index) {
    CSkinOption* clicked = WithIndex(options, index);
    if (clicked == nullptr) {
        return;
    }
    for (CSkinOption* option : options) {
        if (option != clicked && option->name != QLatin1String("OPTION_AUDIOSTREAM1")) {
            option->SetLatched(0);
            option->update();
        }
    }
    OptionSelected(clicked->name);
}

void CSkinDialog::OnCheckClicked(int) {}

void CSkinDialog::SliderChanged(const QString&, int) {}

void CSkinDialog::OnSliderMoved(int index, int position) {
    if (CSkinSlider* slider = WithIndex(sliders, index)) {
        SliderChanged(slider->name, position);
    }
}

void CSkinDialog::MouseMoved(const QString&, int, int) {}

void CSkinDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // Where the platform refuses a system move (no window manager), the window moves itself.
    const bool systemMove = windowHandle() != nullptr && windowHandle()->startSystemMove();
    m_dragging = !systemMove;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
}

void CSkinDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!comboBoxes.empty()) {
        CSkinComboBox* combo = comboBoxes.front();
        const bool open = combo->ListPart() != nullptr && combo->ListPart()->isVisible();
        if (open && !ToQRect(combo->WholeRect()).contains(point)) {
            combo->ToggleList();
        }
    }
    if (!listBoxes.empty()) {
        ForwardMouseMove(listBoxes.front()->ScrollBar(), *event);
    }
    if (!comboBoxes.empty() && comboBoxes.front()->ListPart() != nullptr) {
        ForwardMouseMove(comboBoxes.front()->ListPart()->ScrollBar(), *event);
    }
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
    }
    QDialog::mouseMoveEvent(event);
    MouseMoved(QString(), point.x(), point.y());
}

// A scroll bar being dragged keeps following the pointer when it leaves the bar.
void CSkinDialog::ForwardMouseMove(QWidget* target, const QMouseEvent& event) {
    if (target == nullptr) {
        return;
    }
    const QPointF local = target->mapFrom(this, event.position());
    QMouseEvent forwarded(QEvent::MouseMove, local, event.globalPosition(), event.button(),
                          event.buttons(), event.modifiers());
    QApplication::sendEvent(target, &forwarded);
}

void CSkinDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    }
    QDialog::mouseReleaseEvent(event);
}

// Neither key closes a skinned window.
void CSkinDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        contextMenuEvent(&menu);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool CSkinDialog::focusNextPrevChild(bool next) {
    QWidget* target = CFocusChain::Next(this, focusWidget(), next);
    if (target == nullptr) {
        return QDialog::focusNextPrevChild(next);
    }
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

CSkinButton* CSkinDialog::FindButton(const QString& name) const {
    return Named(buttons, name);
}

CSkinSlider* CSkinDialog::FindSlider(const QString& name) const {
    return Named(sliders, name);
}

CLabel* CSkinDialog::FindLabel(const QString& name) const {
    return Named(labels, name);
}

void CSkinDialog::EnableButton(const QString& name, bool enable) {
    if (CSkinButton* button = FindButton(name)) {
        button->setEnabled(enable);
    }
}

int CSkinDialog::IsButtonLatched(const QString& name) const {
    const CSkinButton* button = FindButton(name);
    return button == nullptr ? 0 : button->Latched();
}

void CSkinDialog::SetButtonLatched(const QString& name, int state) {
    if (CSkinButton* button = FindButton(name)) {
        button->SetLatched(state);
    }
}

void CSkinDialog::SetButtonTooltip(const QString& name, const QString& text) {
    if (CSkinButton* button = FindButton(name)) {
        button->SetTooltipText(text, true);
    }
}

void CSkinDialog::SetSliderPos(const QString& name, int position) {
    if (CSkinSlider* slider = FindSlider(name)) {
        slider->SetPos(position);
        slider->update();
    }
}

int CSkinDialog::GetSliderPos(const QString& name) const {
    const CSkinSlider* slider = FindSlider(name);
    return slider == nullptr ? 0 : slider->GetPos();
}
