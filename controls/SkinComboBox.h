#pragma once

#include "controls/ComboButton.h"
#include "controls/ComboEdit.h"
#include "controls/ComboList.h"
#include "platform/WinTypes.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

class CComboKeys;
class CEditFrame;

// A drop-down list put together from sibling parts: this container keeps the geometry and
// the frame around the open list; the button part opens and closes the list, the edit part
// shows the chosen text. Each part acts on the container it was given to.
class CSkinComboBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinListHeight = 50;

    explicit CSkinComboBox(QWidget* parent = nullptr);
    ~CSkinComboBox() override;

    QString name;
    int index = 0;

    // The frame size of the combo strip: a quarter of its width, its height; 0 x 0 when it
    // cannot be loaded.
    void LoadButtonMetrics(const std::string& path);
    void SetRects(int left, int top, int right, int bottom);
    void SetButtonPart(CComboButton* button);
    void SetEditPart(CComboEdit* edit);
    void SetListPart(CComboList* list);

    void ToggleList();
    void AddString(const QString& text);
    void SelectString(const QString& text);

    bool IsClosed() const { return m_closed; }
    const Rect& ButtonRect() const { return m_buttonRect; }
    const Rect& EditRect() const { return m_editRect; }
    const Rect& ListRect() const { return m_listRect; }
    const Rect& WholeRect() const { return m_wholeRect; }
    int FrameWidth() const { return m_frameWidth; }
    int FrameHeight() const { return m_frameHeight; }
    CComboButton* ButtonPart() const { return m_button; }
    CComboEdit* EditPart() const { return m_edit; }
    CComboList* ListPart() const { return m_list; }

private:
    void ShowListFrame(bool shown);

    QPointer<CComboList> m_list;
    QPointer<CComboButton> m_button;
    QPointer<CComboEdit> m_edit;
    Rect m_buttonRect;
    Rect m_editRect;
    Rect m_listRect;
    Rect m_wholeRect;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    bool m_closed = true;
    QPointer<CEditFrame> m_listFrame;
    CComboKeys* m_keys;
};
