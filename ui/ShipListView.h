#pragma once

#include <QTreeWidget>

// The ship list: one line per ship, each exactly as tall as its icon plus a one-pixel gap, so the eight ships
// of a lift gas fill the list's height without a scroll bar. Names longer than the line are elided.
class ShipListView : public QTreeWidget {
    Q_OBJECT

public:
    explicit ShipListView(QWidget* parent = nullptr);

    // The height of every line.
    int lineHeight() const;
};
