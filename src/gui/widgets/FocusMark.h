#pragma once
// The mark of the keyboard focus: a dashed black-and-white ring around whichever control has
// the focus, in every window, whether the focus came there by Tab, by a click or because the
// window opened with it. Black and white stand out on any colour, and no one takes them for the
// red of a chosen drawing. Drawings mark their own focus inside their frame.
//
// A focus frame is no control of its own: assistive technology does not see it.

#include <QFocusFrame>

class FocusMark : public QFocusFrame
{
    Q_OBJECT

public:
    // Starts marking the focus in the whole application; once is enough.
    static void install();

    // Thickness of the ring, in device-independent pixels.
    static constexpr int Width = 3;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FocusMark();
};
