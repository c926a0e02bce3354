#pragma once
// The base of every window: a top-level widget laid out in twips as designed. Positions, sizes
// and fonts go through one mapping (twips * logical DPI / 1440, times the window's zoom); the
// zoom is 1 unless the screen's free area is smaller than the design, in which case the whole
// content shrinks to fit. Qt's high-DPI scaling does the rest.

#include <QAccessible>
#include <QColor>
#include <QFont>
#include <QWidget>

#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;

// Colours in the 0x00BBGGRR form the windows are designed with, including the system colours
// (0x80000000 | index) that follow the desktop's palette.
QColor vbColor(quint32 value);

inline constexpr quint32 ButtonFace = 0x8000000F;
inline constexpr quint32 Highlight = 0x8000000D;
inline constexpr quint32 WindowBackground = 0x80000005;
inline constexpr quint32 DarkBlue = 0x800000;
inline constexpr quint32 Red = 255;

class Form : public QWidget
{
    Q_OBJECT

public:
    // clientTwips is the designed client area; a null size leaves the zoom at 1.
    Form(const QString& objectName, const QString& caption, QSize clientTwips,
         QWidget* parent = nullptr);

    double zoom() const { return m_zoom; }
    int toPixels(int twips) const;
    QRect toPixels(int left, int top, int width, int height) const;
    QFont designFont(const QString& family, double points, bool bold = false) const;

    // Places a child at its designed twips position.
    void place(QWidget* child, int left, int top, int width, int height) const;
    QLabel* addLabel(const QString& name, const QString& text, QRect twips, const QFont& font,
                     QWidget* parent = nullptr);
    QPushButton* addButton(const QString& name, const QString& caption, QRect twips,
                           const QFont& font, QWidget* parent = nullptr);

    // Keeps the window at its designed size: no resizing and no maximise button.
    void keepDesignedSize();

    // Shows the window above the others, active.
    void showInFront();

    // The zoom a window of this design size gets on the given available area.
    static double fitZoom(QSize designPixels, QSize available);

signals:
    // The title-bar close box of a window that stands on the road of the assessment: whoever
    // leads the road decides what closing means.
    void closeRequested();

protected:
    // The title-bar close box. Windows are never closed: by default the window hides, as its
    // own Exit or Close button does; windows that lead the road announce closeRequested().
    void closeEvent(QCloseEvent* event) override;
    virtual void titleBarClose();

private:
    double m_zoom = 1.0;
};

// Gives a value label the name of what it shows: assistive technology reads it as
// "<caption>: <text>", or the caption alone while the label is empty.
void setAccessibleCaption(QLabel* label, const QString& caption);

// What a plain widget is to assistive technology (a window, a dialog, a group, a picture), where
// its own class says nothing.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// Sets the text colour of a label (a 0x00BBGGRR or system colour).
void setTextColour(QWidget* widget, quint32 colour);

// Calls `handler` with the key code 13 when Enter is pressed in `box`, instead of typing it
// (the key press handlers of the text boxes act on Enter only).
void onEnterKey(QWidget* box, std::function<void(std::int16_t keyAscii)> handler);
