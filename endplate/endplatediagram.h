#pragma once
// The support condition diagram of the end plate window: two end plates in
// elevation with their bolts, the support class of each bolt region, and
// the dimensions that the input boxes ask for. Drawn by the program, so it
// stays sharp at any screen scale.

#include <QWidget>

namespace morvane {

class EndPlateDiagram : public QWidget
{
    Q_OBJECT
public:
    explicit EndPlateDiagram(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace morvane
