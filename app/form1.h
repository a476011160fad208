#pragma once
// The main window: opens the five calculators and ends the program.

#include <QMainWindow>
#include <QPointer>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace morvane {

class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void luoshuan_Click();
    void duanban_Click();
    void zhupeijin_Click();
    void shouyaxishu_Click();
    void zhuangji_Click();

private:
    // Opens the single instance of a calculator window: loads it (defaults)
    // when it is not open, otherwise brings it to the front unchanged.
    template <typename Window>
    void open(QPointer<QWidget> &instance);
    // Deletes every open calculator window at once, entries and all.
    void closeCalculators();

    QGroupBox *Frame1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6;
    QLabel *Label1_0, *Label1_1;
    QMenu *proselect;
    QAction *luoshuan, *fen1, *duanban, *fen2, *zhupeijin, *fen3, *shouyaxishu, *fen4, *zhuangji;

    // The single instance of each calculator window, empty while not loaded.
    QPointer<QWidget> form2_, form3_, form4_, form5_, form6_;
};

}  // namespace morvane
