#pragma once
// The main window: opens the five calculators and the calculations kept in
// files, and ends the program.

#include <QMainWindow>
#include <QPointer>

class QAction;
class QPushButton;

namespace morvane {

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens a calculation file in its calculator's window, opening or
    // raising that window; a file that cannot be used is told in a box and
    // changes no window.
    void openFile(const QString &path);

private slots:
    // Each calculator opens from its button and from its menu entry.
    void openBolt();
    void openEndPlate();
    void openStability();
    void openPileGroup();
    void openColumn();
    void quit();
    // Ticks the edition of the design codes chosen in the menu "设计规范".
    void showEdition();
    void chooseFile();

private:
    // Opens the single instance of a calculator window: loads it (defaults)
    // when it is not open, otherwise brings it to the front unchanged.
    template <typename Window>
    void open(QPointer<QWidget> &instance);
    // Shows a calculator window, brought to the front.
    static void bringUp(QWidget *window);
    // Deletes every open calculator window at once, entries and all.
    void closeCalculators();

    QPushButton *openBoltButton_, *openEndPlateButton_, *openColumnButton_;
    QPushButton *openStabilityButton_, *openPileGroupButton_, *quitButton_;
    QAction *openBoltAction_, *openEndPlateAction_, *openColumnAction_, *openStabilityAction_, *openPileGroupAction_;
    QAction *editionActions_[2];  // by Edition: "原规范（…）", "现行规范（…）"

    // The single instance of each calculator window, empty while not loaded.
    QPointer<QWidget> boltWindow_, endPlateWindow_, stabilityWindow_, pileGroupWindow_, columnWindow_;
};

}  // namespace morvane
