#pragma once

#include <QListWidget>

namespace talvero {

/// A single-selection list on which the keyboard focus alone selects nothing: Qt makes the first
/// row current on focus, so the first arrow key would skip it. Here the first arrow key selects
/// the first row, as users of list boxes expect.
class SelectionList : public QListWidget {
    Q_OBJECT

public:
    explicit SelectionList(QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace talvero
