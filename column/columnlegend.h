#pragma once
// The legend of the column window: the section with its ties and the two
// dimensions b and h. Drawn by the program, so it stays sharp at any scale.

#include <QWidget>

namespace morvane {

class ColumnLegend : public QWidget
{
    Q_OBJECT
public:
    explicit ColumnLegend(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace morvane
