#pragma once
// The bolt layout diagram of the bolt connection window: the end plate seen
// face on, with the H-section, the bolt rows and the dimension line.
// Drawn by the program, so it stays sharp at any screen scale.

#include <QWidget>

namespace morvane {

class BoltDiagram : public QWidget
{
    Q_OBJECT
public:
    // rows: 4, 6 or 8.
    explicit BoltDiagram(int rows, QWidget *parent = nullptr);

    // The dimension labels from top to bottom ("ef", "ef", "e1", ...).
    QStringList labels() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int rows_;
};

}  // namespace morvane
