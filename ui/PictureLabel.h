#pragma once

#include <QLabel>

// A picture that works as a button. The mouse path is the window's own (it watches the release of a left
// click inside the picture); this adds the keyboard: the picture takes the focus with Tab only, so a click
// leaves the focus where it was, shows a frame while it has the focus, and Space or Enter activate it.
// A disabled picture keeps its colours: the red arrow of a lift-gas row is red, not greyed.
class PictureLabel : public QLabel {
    Q_OBJECT

public:
    explicit PictureLabel(QWidget* parent = nullptr);

    // The colour of the focus frame, dark enough on the parchment and on every picture.
    static QColor focusFrameColor();

Q_SIGNALS:
    // Space or Enter while the picture has the focus, or the press action of assistive technology.
    void activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
