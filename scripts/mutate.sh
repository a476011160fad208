#!/usr/bin/env bash
# Plants small, realistic faults in the code one at a time and runs the test
# suite against each: a fault the suite lets through shows a missing test.
#
#   scripts/mutate.sh            every fault of the list below
#   scripts/mutate.sh 3 7        only faults 3 and 7
#   scripts/mutate.sh --list     the list, numbered
#
# The faults are planted in a copy of the tree in build-mutate/src, built
# incrementally (Release, with ccache when present) in build-mutate/build;
# the working tree itself is never touched. The last run's figures are kept
# in build-mutate/last-run.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build-mutate
src=$work/src
build=$work/build
timeout=${MORVANE_MUTATE_TIMEOUT:-120}

# One fault per block: a name, the file, the exact text (found once in the
# file) and what replaces it. Blocks are separated by a blank line.
read -r -d '' MUTANTS <<'EOF' || true
name: wire-brushed surface read as the rusted one
file: bolt/boltconnectiontexts.cpp
from: SurfaceTreatment::WireBrushed, SurfaceTreatment::WireBrushed},
to:   SurfaceTreatment::BlastedRusted, SurfaceTreatment::WireBrushed},

name: a key-proof list turned by the mouse wheel
file: common/controls.cpp
from: case QEvent::Wheel:
to:   case QEvent::None:

name: Q420 web strength that of the end plate
file: bolt/boltconnection.cpp
from: return 380;
to:   return 360;

name: no guard against a second refused box while one is being told
file: common/fieldcheck.cpp
from: return;  // a failure is already being reported
to:   (void)0;

name: Shift+Tab no longer leaves a key-proof list
file: common/controls.cpp
from: (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
to:   (key->key() == Qt::Key_Tab)

name: shear capacity equal to the shear fails
file: bolt/boltconnection.cpp
from: Nbv1 / 1000 >= Nv1;
to:   Nbv1 / 1000 > Nv1;

name: the shear judged to hold while the tension fails
file: bolt/boltconnection.cpp
from: r.shearSatisfied = r.tensionSatisfied && Nbv1
to:   r.shearSatisfied = Nbv1

name: sum of squared row distances in single precision
file: bolt/boltconnection.cpp
from: ((double(y1) * y1 + double(y2) * y2) + double(y3) * y3) + double(y4) * y4
to:   ((y1 * y1 + y2 * y2) + y3 * y3) + y4 * y4

name: the Tab stop of an option group stays on the option chosen at load
file: common/controls.cpp
from: QObject::connect(option, &QAbstractButton::toggled, option, follow);
to:   

name: 8.8级 left out of the bolt window's Tab order
file: bolt/boltconnectionwindow.cpp
from: "Option1", "Option2", "Text5"
to:   "Option2", "Text5"

name: outermost row one ef from the flange instead of two
file: bolt/boltconnection.cpp
from: const double y4 = ((in.e1 + in.e2) + in.e3) + 2 * in.ef;
to:   const double y4 = ((in.e1 + in.e2) + in.e3) + in.ef;

name: six rows counted as sixteen bolts
file: bolt/boltconnection.cpp
from: case 6: d2 = y2; d3 = 0; n = 12; break;
to:   case 6: d2 = y2; d3 = 0; n = 16; break;

name: tension exactly 0.8P passes
file: bolt/boltconnection.cpp
from: Nt1 / 1000 < tensionLimit;
to:   Nt1 / 1000 <= tensionLimit;

name: web stress equal to the strength passes
file: bolt/boltconnection.cpp
from: r.webSatisfied = sigma < f;
to:   r.webSatisfied = sigma <= f;

name: the moment taken with its sign
file: bolt/boltconnection.cpp
from: const double Md = std::fabs(in.M * in.amplification);
to:   const double Md = in.M * in.amplification;

name: the shear taken with its sign
file: bolt/boltconnection.cpp
from: const double Vd = std::fabs(in.V * in.amplification);
to:   const double Vd = in.V * in.amplification;

name: the slip coefficient box an input box in the Tab chain again
file: bolt/boltconnectionwindow.cpp
from: .name = "Text16", .kind = ResultBox
to:   .name = "Text16", .kind = Box

name: the spacing hint shows while a key is still held down
file: bolt/boltconnectionwindow.cpp
from: if (!keysHeldInE1_.isEmpty()) {
to:   if (false) {

name: the Enter that presses "计算" in e1 counted as typing, holding the spacing hint back
file: bolt/boltconnectionwindow.cpp
from: box(E1)->installEventFilter(fieldCheck());
to:   box(E1)->installEventFilter(this);

name: the bolt book's web stress figure that of the bolt tension
file: bolt/boltbook.cpp
from: " = " + bookFigure(r.sigma)
to:   " = " + bookFigure(r.Nw)

name: web checked on the smaller of nt2 and 0.4P
file: bolt/boltconnection.cpp
from: nt2 <= 0.4 * P ? 0.4 * P : nt2;
to:   nt2 <= 0.4 * P ? nt2 : 0.4 * P;

name: wire-brushed Q420 slip coefficient that of Q390
file: bolt/boltconnection.cpp
from: {0.30f, 0.35f, 0.40f},  // WireBrushed
to:   {0.30f, 0.35f, 0.35f},  // WireBrushed

name: nt2 taken at the innermost row
file: bolt/boltconnection.cpp
from: ((Nt1 * y2) / y4) / 1000
to:   ((Nt1 * y1) / y4) / 1000

name: M24 10.9级 pretension mistyped
file: common/boltgrade.cpp
from: {"M24", 175, 225},
to:   {"M24", 175, 255},

name: double display to 14 digits
file: common/numbers.cpp
from: std::string displayDouble(double value) { return display(value, 15); }
to:   std::string displayDouble(double value) { return display(value, 14); }

name: line feeds no longer skipped by the number parse
file: common/numbers.cpp
from: return c == ' ' || c == '\t' || c == '\n';
to:   return c == ' ' || c == '\t';

name: decimal rounding drops a trailing 5
file: common/numbers.cpp
from: const bool up = digits[kept] >= '5';
to:   const bool up = digits[kept] > '5';

name: a click away from a refused box is not checked
file: common/fieldcheck.cpp
from: case Qt::MouseFocusReason:
to:   case Qt::NoFocusReason:

name: the click that leaves a refused box reaches its control
file: common/fieldcheck.cpp
from: swallowingPress_ = true;
to:   swallowingPress_ = false;

name: 计算 tells another refused box while one waits to be told
file: common/fieldcheck.cpp
from: return false;  // a failure is being reported right now
to:   (void)0;

name: a key-proof list takes input-method text
file: common/controls.cpp
from: case QEvent::InputMethod:
to:   case QEvent::None:

name: leaving a key-proof list chooses the item matching its text
file: common/controls.cpp
from: QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
to:   

name: result boxes in the Tab order
file: common/controls.cpp
from: box->setFocusPolicy(Qt::ClickFocus);
to:   box->setFocusPolicy(Qt::StrongFocus);

name: a box holding anything but one number read by its leading digits at 计算
file: common/fieldcheck.cpp
from: if (!isOneNumber(box->text().toStdString()))
to:   if (false)

name: the number boxes told in the order named, not in Tab order
file: common/fieldcheck.cpp
from: return tabPosition.value(a, INT_MAX) < tabPosition.value(b, INT_MAX);
to:   return false;

name: the box told not a number keeps its text unselected
file: common/fieldcheck.cpp
from: box->selectAll();
to:   (void)0;

name: a blank inside a number taken as one number
file: common/numbers.cpp
from: const std::string s = asciiNumberText(text, false);
to:   const std::string s = asciiNumberText(text, true);

name: Enter in an input box no longer presses 计算
file: common/fieldcheck.cpp
from: calculate_->click();
to:   (void)0;

name: Enter in an input box presses 计算 without the box's own check
file: common/fieldcheck.cpp
from: if (tests_.contains(box)) {
to:   if (false) {

name: F4 no longer opens a key-proof list
file: common/controls.cpp
from: (key->key() == Qt::Key_F4 && modifiers == Qt::NoModifier)
to:   (key->key() == Qt::Key_F5 && modifiers == Qt::NoModifier)

name: tooltips no longer wrap
file: common/controls.cpp
from: const qreal width = kLineCharacters * metrics.horizontalAdvance(QChar(0x4E2D));
to:   const qreal width = 10 * kLineCharacters * metrics.horizontalAdvance(QChar(0x4E2D));

name: a result box's menu without the book
file: common/bookactions.cpp
from: menu->addActions({copy_, save_, print_, information_});
to:   (void)0;

name: a file whose name got its suffix from the filter replaced unasked
file: common/filedialog.cpp
from: return path == chosen || !QFileInfo::exists(path)
to:   return true || !QFileInfo::exists(path)

name: the suffix typed with the name loses to the filter
file: common/bookactions.cpp
from: const BookFormat format = typed ? *typed
to:   const BookFormat format = false ? *typed

name: the save dialog forgets the folder used last
file: common/bookactions.cpp
from: rememberValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
to:   (void)0;

name: six rows keep e3 editable
file: bolt/boltconnectiontexts.cpp
from: bool layoutHasE3(int rows) { return rows >= 8; }
to:   bool layoutHasE3(int rows) { return rows >= 6; }

name: the spacing hint only above 200
file: bolt/boltconnectionwindow.cpp
from: if (valueOf(e1) >= 200)
to:   if (valueOf(e1) > 200)

name: e3 read from the e2 box
file: bolt/boltconnectiontexts.cpp
from: in.e3 = number("e3");
to:   in.e3 = number("e2");

name: Q390 plate strength mistyped
file: endplate/endplate.cpp
from: return 335;
to:   return 350;

name: flush two-side plate with the extended plate's factor
file: endplate/endplate.cpp
from: 12 * ef * ew * 1000 * Ntb
to:   6 * ef * ew * 1000 * Ntb

name: bolt capacity 0.9P
file: endplate/endplate.cpp
from: r.Ntb = static_cast<float>(0.8 * P);
to:   r.Ntb = static_cast<float>(0.9 * P);

name: plate-end options read the other way round
file: endplate/endplatetexts.cpp
from: texts.text("plateEnd") == "端板平齐" ? PlateEnd::Flush : PlateEnd::Extended
to:   texts.text("plateEnd") == "端板外伸" ? PlateEnd::Flush : PlateEnd::Extended

name: three-side class read from the two-side box
file: endplate/endplatetexts.cpp
from: in.threeSide = ticked("threeSide");
to:   in.threeSide = ticked("twoSide");

name: the flush two-side thickness kept as the three-side one
file: endplate/endplate.cpp
from: take(r.twoSideThickness, {b, ef, ew}, 12
to:   take(r.threeSideThickness, {b, ef, ew}, 12

name: a class thickness of exactly 16 mm not told as the 16 mm minimum
file: endplate/endplatebook.cpp
from: const bool floored = r.thickness <= r.leastThickness;
to:   const bool floored = r.thickness < r.leastThickness;

name: stability calculator with the column calculator's pi
file: stability/stability.h
from: inline constexpr double kStabilityPi = 3.1415926;
to:   inline constexpr double kStabilityPi = 3.14159;

name: class b with class a's alpha2
file: stability/stability.h
from: inline constexpr SectionAlphas kClassB{0.65, 0.965, 0.3};
to:   inline constexpr SectionAlphas kClassB{0.65, 0.986, 0.3};

name: the other root of the stability equation
file: stability/stability.cpp
from: const double phi = (q - root) / (2 * lambdaN2);
to:   const double phi = (q + root) / (2 * lambdaN2);

name: a zero inertia raised in the area instead
file: stability/stability.cpp
from: I = I + 1;
to:   A = A + 1;

name: an unknown steel grade computed as yield strength 0
file: stability/stability.cpp
from: if (yieldStrength(steelGrade, edition) == 0)
to:   if (yieldStrength(steelGrade, edition) < 0)

name: a section class off the list leaves the old coefficient
file: stability/stability.cpp
from: return kStabilityClassMessage;
to:   return nullptr;

name: an empty slenderness box read as 0
file: stability/stability.cpp
from: return kNoSlendernessMessage;
to:   return nullptr;

name: a slenderness down to -1 accepted
file: stability/stability.cpp
from: parseLeadingNumber(slendernessText) < 0
to:   parseLeadingNumber(slendernessText) < -1

name: the ideographic space not taken for a blank in the slenderness box
file: stability/stability.cpp
from: rest.starts_with("\xE3\x80\x80")
to:   rest.starts_with("\xE3\x80\x81")

name: the slenderness kept when L, I or A is edited
file: stability/stabilitywindow.cpp
from: connect(box(dimension), &QLineEdit::textEdited
to:   connect(box(dimension), &QLineEdit::returnPressed

name: a typed slenderness taken for the computed one
file: stability/stabilitywindow.cpp
from: slendernessShown_ = false;
to:   (void)0;

name: a box the load step empties keeps its design text for Ctrl+Z
file: common/calculatorwindow.cpp
from: showResult(box, QString());
to:   box->clear();

name: the book lists a computed slenderness as an input
file: stability/stabilitybook.cpp
from: computed = true;
to:   computed = false;

name: the book's q with alpha2 and alpha3 swapped
file: stability/stabilitybook.cpp
from: "q = " + displayDouble(alphas.alpha2) + " + " + displayDouble(alphas.alpha3) + " × "
to:   "q = " + displayDouble(alphas.alpha3) + " + " + displayDouble(alphas.alpha2) + " × "

name: the stability book's closing sentence without the leading zero of phi
file: stability/stabilitybook.cpp
from: book.conclusion = "稳定系数 φ = " + phi.value + "。";
to:   book.conclusion = "稳定系数 φ = " + r.coefficientText + "。";

name: soil on the cap measured from the ground
file: pilegroup/pilegroup.cpp
from: const double t5 = in.capDepth - in.H;
to:   const double t5 = in.capDepth;

name: eleven and twelve piles swapped
file: pilegroup/pilegroup.cpp
from: "十一桩", "十二桩"
to:   "十二桩", "十一桩"

name: burial depth bound 0 instead of 50
file: pilegroup/pilegroupwindow.cpp
from: above(50, "承台埋深不得小于等于50"
to:   above(0, "承台埋深不得小于等于50"

name: soil weight read from the concrete box
file: pilegroup/pilegrouptexts.cpp
from: in.soilWeight = number("soilWeight");
to:   in.soilWeight = number("concreteWeight");

name: a pile count off the list counted as no pile
file: pilegroup/pilegroup.cpp
from: if (r.pileCount == 0) {
to:   if (r.pileCount < 0) {

name: the burial depth compared with itself instead of the cap height
file: pilegroup/pilegroupwindow.cpp
from: if (capDepthAboveCapTop(capDepth, valueOf(box(CapHeight))))
to:   if (capDepthAboveCapTop(capDepth, valueOf(box(CapDepth))))

name: the pile group book's soil load figure that of the cap
file: pilegroup/pilegroupbook.cpp
from: bookFigure(r.soilLoad)
to:   bookFigure(r.capLoad)

name: middle bars of one b side not doubled
file: column/column.cpp
from: const double Ab = (2 * in.bCount)
to:   const double Ab = (in.bCount)

name: bar area with the stability calculator's pi
file: column/column.cpp
from: return dd * dd * 3.14159 / 4;
to:   return dd * dd * 3.1415926 / 4;

name: a fractional count of bars taken as a count
file: column/column.cpp
from: return count >= 0 && std::floor(count) == count;
to:   return count >= 0;

name: section area in the column book b times b
file: column/columnbook.cpp
from: bookFigure(in.width * in.height)
to:   bookFigure(in.width * in.width)

name: column book's closing sentence with the 3 % comparison reversed
file: column/columnbook.cpp
from: (ordinary ? "不大于3%" : "大于3%")
to:   (ordinary ? "大于3%" : "不大于3%")

name: bar diameters in the column book without their unit
file: column/columnbook.cpp
from: return barDiameter(listText) == 0 ? "" : "mm";
to:   return "";

name: h-side bars read from the b-side list
file: column/columntexts.cpp
from: in.hDiameter = texts.text("hDiameter");
to:   in.hDiameter = texts.text("bDiameter");

name: column window's two count boxes swapped in the Tab order
file: column/columnwindow.cpp
from: "Combo3", "Text4", "Text5", "Command1"
to:   "Combo3", "Text5", "Text4", "Command1"

name: a caption of the end plate window changed
file: endplate/endplatewindow.cpp
from: .text = "螺栓级别："
to:   .text = "螺栓级别:"

name: a table's "above" rule lets its bound through
file: common/fieldrule.cpp
from: (rule.test == FieldRule::Above && value <= rule.bound)
to:   (rule.test == FieldRule::Above && value < rule.bound)

name: the soil weight read to a screen reader in kN/m3
file: pilegroup/pilegroupwindow.cpp
from: .reader = "土容重", .unit = "kN/m³"
to:   .reader = "土容重", .unit = "kN/m3"

name: the pile count list shows ten counts, not all sixteen
file: pilegroup/pilegroupwindow.cpp
from: list(PileCount)->setMaxVisibleItems(16);
to:   list(PileCount)->setMaxVisibleItems(10);

name: the label of the bolt diagram's end segment moved
file: bolt/boltdiagram.cpp
from: middle = ticks[0] - 9;
to:   middle = ticks[0] - 11;

name: the pile group book's concrete weight in kN/m3
file: pilegroup/pilegroupbook.cpp
from: {"γc", "混凝土重度", displayDouble(in.concreteWeight), "kN/m³"}
to:   {"γc", "混凝土重度", displayDouble(in.concreteWeight), "kN/m3"}

name: the bolt book's shear shared by three bolts a row
file: bolt/boltbook.cpp
from: " / (2 × " + std::to_string(in.rows)
to:   " / (3 × " + std::to_string(in.rows)

name: every page of a printed book numbered as its first
file: common/bookactions.cpp
from: QStringLiteral("第 %1 页 共 %2 页").arg(i + 1)
to:   QStringLiteral("第 %1 页 共 %2 页").arg(1)

name: the program's version written by hand, not the project's
file: common/version.h.in
from: #define MORVANE_VERSION "@PROJECT_VERSION@"
to:   #define MORVANE_VERSION "1.1"

name: a slenderness whose I was raised told as one whose A was
file: stability/stability.cpp
from: r.warning = SlendernessWarning::Inertia;
to:   r.warning = SlendernessWarning::Area;

name: a check given any text taken as unticked
file: common/calculatorwindow.cpp
from: shown = value == "是" || value == "否";
to:   shown = true;

name: the edition chosen not remembered for the next start
file: common/editionchoice.cpp
from: rememberValue(kEditionKey, QString::fromLatin1(editionKey(edition)));
to:   (void)0;

name: the menu 设计规范 not ticked as it opens
file: app/mainwindow.cpp
from: connect(codes, &QMenu::aboutToShow, this, &MainWindow::showEdition);
to:   (void)0;

name: a window opened under the current edition not relabelled
file: common/calculatorwindow.cpp
from: if (table_.captionCurrent && edition_ == Edition::Current)
to:   if (false)

name: the results of the other edition left standing
file: common/calculatorwindow.cpp
from: showResult(qobject_cast<QLineEdit *>(made_[i]), QString());
to:   (void)0;

name: the book of the other edition still offered
file: common/calculatorwindow.cpp
from: book_->withdrawBook();
to:   (void)0;

name: a hidden option keeps the choice
file: common/calculatorwindow.cpp
from: qobject_cast<QAbstractButton *>(made_[j])->setChecked(true);
to:   (void)0;

name: the current edition's books do not name it
file: common/calcbook.cpp
from: t += "设计规范：" + book.edition + "\n";
to:   (void)0;

name: current edition: grit-blasted surfaces at the old 0.50
file: bolt/boltconnection.cpp
from: case SurfaceTreatment::GritBlasted: return 0.45;
to:   case SurfaceTreatment::GritBlasted: return 0.50;

name: current edition: the slip coefficient in single precision
file: bolt/boltconnection.cpp
from: ? slipCoefficient(in.surfaceTreatment, in.steelGrade, in.edition)
to:   ? static_cast<float>(slipCoefficient(in.surfaceTreatment, in.steelGrade, in.edition))

name: current edition: the bolt tension from single-precision entries
file: bolt/boltconnection.cpp
from: const double Nt1 = current ? boltTension(Md, y1, d2, d3, y4)
to:   const double Nt1 = false ? boltTension(Md, y1, d2, d3, y4)

name: current edition: tension exactly Ntb fails
file: bolt/boltconnection.cpp
from: r.tensionSatisfied = Nt1 / 1000 <= tensionLimit;
to:   r.tensionSatisfied = Nt1 / 1000 < tensionLimit;

name: current edition: a ratio of exactly 1.1 shown 1.11
file: bolt/boltconnection.cpp
from: if ((hundredths - 1) / 100 >= ratio)
to:   if (false)

name: current edition: web stress exactly f fails
file: bolt/boltconnection.cpp
from: r.webSatisfied = sigma <= f;
to:   r.webSatisfied = sigma < f;

name: current edition: Q345 web strength the old 310
file: bolt/boltconnection.cpp
from: {"Q345", 305}
to:   {"Q345", 310}

name: current edition: a wire-brushed Q420 surface not told
file: bolt/boltconnection.cpp
from: if (current && in.surfaceTreatment == SurfaceTreatment::WireBrushed && in.steelGrade == "Q420") {
to:   if (false) {

name: current edition: Option3 read as the original edition's blasting
file: bolt/boltconnectiontexts.cpp
from: SurfaceTreatment::Blasted, SurfaceTreatment::GritBlasted},
to:   SurfaceTreatment::Blasted, SurfaceTreatment::Blasted},

name: current edition: a plate computed again only once, its group taken to reach 100 mm
file: endplate/endplate.cpp
from: r.strengthTo = thicker->to;
to:   r.strengthTo = 100;

name: current edition: a plate of exactly 40 mm computed with the strength of thicker plates
file: endplate/endplate.cpp
from: while (current && inRange && governing > r.strengthTo) {
to:   while (current && inRange && governing >= r.strengthTo) {

name: current edition: least thickness 0.7 times the bolt diameter
file: endplate/endplate.cpp
from: return std::max(16.0, 0.8 * d);
to:   return std::max(16.0, 0.7 * d);

name: current edition: π of the stability coefficient that of the original
file: stability/stability.h
from: inline constexpr double kCurrentStabilityPi = 3.14;
to:   inline constexpr double kCurrentStabilityPi = 3.1415926;

name: current edition: class d with the α3 of class c
file: stability/stability.h
from: inline constexpr SectionAlphas kClassD{1.35, 0.868, 0.915};
to:   inline constexpr SectionAlphas kClassD{1.35, 0.868, 0.595};

name: current edition: Q460 with the yield strength of Q420
file: stability/stability.cpp
from: return 460;
to:   return 420;

name: current edition: φ to four decimals
file: stability/stability.cpp
from: r.coefficientText = current ? formatThreeDecimals(c.value) : c.text;
to:   r.coefficientText = current ? formatFourDecimals(c.value) : c.text;

name: current edition: the steel list without Q420 and Q460
file: stability/stabilitywindow.cpp
from: .currentItems = kCurrentSteelGrades},
to:   },

name: a calculation file's text one character too long for its box loaded
file: common/calculationfile.cpp
from: if (text.size() > rule.maxLength) {
to:   if (text.size() > rule.maxLength + 1) {

name: a list item the window lacks loaded from a file of its own edition
file: common/calculationfile.cpp
from: if (!otherEdition) {
to:   if (false) {

name: a file of the other edition opened without a word
file: common/calculationfile.cpp
from: const bool otherEdition = !window.edition.isEmpty() && file.edition != window.edition;
to:   const bool otherEdition = false;

name: eleven recent calculations
file: common/calculationkeeper.cpp
from: constexpr int kRecentCount = 10;
to:   constexpr int kRecentCount = 11;

name: the caption never marks inputs that differ from their file
file: common/calculationkeeper.cpp
from: window_->setWindowModified(isChanged());
to:   window_->setWindowModified(false);

name: 不保存 keeps the window open
file: common/calculationkeeper.cpp
from: case SaveAnswer::Discard: return true;
to:   case SaveAnswer::Discard: return false;

name: a saved calculation never put in its file's place
file: common/calculationkeeper.cpp
from: || !file.commit()) {
to:   || !file.flush()) {

name: another calculator's file refused by a window instead of opened in its own
file: common/calculationkeeper.cpp
from: && opener()) {
to:   && false) {

name: the ODT filter writes HTML
file: common/bookactions.cpp
from: : filter == kOdtFilter      ? BookFormat::Odt
to:   : filter == kOdtFilter      ? BookFormat::Html

name: the book's header names the project number as the project
file: common/calcbook.cpp
from: + cell("工程名称", header.projectName,
to:   + cell("工程名称", header.projectNumber,

name: the files named on the command line not opened
file: app/commandline.cpp
from: *files = parser.positionalArguments();
to:   files->clear();

name: a calculation saved under the current edition kept as the original
file: common/calculationkeeper.cpp
from: return QString::fromUtf8(editionKey(window->edition()));
to:   return QString::fromUtf8(editionKey(Edition::Original));

name: a semicolon file read by commas
file: common/csv.cpp
from: return semicolons > commas ? ';' : ',';
to:   return ',';

name: a byte order mark read as part of the first column's name
file: common/csv.cpp
from: if (std::string_view(text_).starts_with(kUtf8ByteOrderMark)) {
to:   if (false) {

name: a quote inside a written field not doubled
file: common/csv.cpp
from: *to++ = '"';  // the quote again
to:   (void)0;

name: the batch's table written without a byte order mark
file: app/batch.cpp
from: std::string headerRecord = kUtf8ByteOrderMark;
to:   std::string headerRecord;

name: a batch with refused rows ends as if all computed
file: app/batch.cpp
from: someRefused ? kSomeRefused : kComputed;
to:   kComputed;

name: the progress line also where standard error is no terminal
file: app/batch.cpp
from: : shown_(standardErrorIsTerminal())
to:   : shown_(true)

name: a table that is not UTF-8 read as if it were
file: app/batch.cpp
from: if (const std::optional<std::size_t> bad = firstBadUtf8(*bytes)) {
to:   if (const std::optional<std::size_t> bad = std::optional<std::size_t>()) {

name: a row's book named with a slash in its name
file: app/batch.cpp
from: c = QLatin1Char('_');
to:   (void)c;

name: a refusal from the command line without the input it concerns
file: app/cases.cpp
from: return std::string(input) + ": " + std::string(message);
to:   return std::string(message);

name: four rows from the command line keep e2
file: app/cases.cpp
from: replaced.replace(input, "");
to:   (void)0;

name: four rows from the command line echo the e2 they compute without
file: app/batch.cpp
from: std::ranges::find(outcome.emptied, calculator.inputs()[i]) != outcome.emptied.end()
to:   false

name: the command line computes the slenderness also when it is given
file: app/cases.cpp
from: if (!holdsSlenderness(given.text("slenderness"))) {
to:   if (true) {

name: an option named by its objectName on the command line read as no option
file: app/cases.cpp
from: text = caption;
to:   (void)caption;

name: the command line's case under the original edition whatever it is told
file: app/cases.cpp
from: kind_.compute(*this, texts, edition, withBook, out);
to:   kind_.compute(*this, texts, Edition::Original, withBook, out);

name: an exact half of the last digit rounded down instead of to the even digit
file: common/numbers.cpp
from: if (roundsUp == 0)
to:   if (false)

name: a block's records written out of their turn
file: app/batch.cpp
from: turn.wait(lock, [&] { return writtenBlocks == next; });
to:   turn.wait(lock, [&] { return true; });

name: the second eight bytes of a field of 16 to 32 left uncopied
file: common/bytecopy.h
from: move(8, std::uint64_t());
to:   (void)0;

name: a semicolon among eight bytes at a time not seen
file: common/csv.cpp
from: | holdsZeroByte(word ^ (kOnes * ';'))
to:   | 0

name: a book named for a Windows device
file: app/batch.cpp
from: base.insert(device.capturedEnd(), QLatin1Char('_'));
to:   (void)device;

name: standard output written before the whole table is read
file: app/batch.cpp
from: if (!whole.error().empty())
to:   if (false)

name: the reading runs ahead of the computing without a limit
file: app/batch.cpp
from: && blocks.inHand() > kMostBlocksInHand;
to:   && false;

name: a written block's cells kept
file: app/batch.cpp
from: blocks_[block] = Block{};
to:   (void)block;

name: a row's numbers kept from the row before
file: app/batch.cpp
from: readings_[input].read = false;
to:   (void)input;

name: the one-pass reading keeps a minus zero
file: common/numbers.cpp
from: value = 0.0;  // never -0: "-0" and "-0.00" read 0
to:   value = negative ? -0.0 : 0.0;
EOF

# The patcher: `count`, `show N`, `apply N DIR`, `sync FROM TO FILE...`.
patcher() {
    MUTANTS="$MUTANTS" python3 - "$@" <<'PY'
import os, shutil, sys

def mutants():
    out = []
    for block in os.environ["MUTANTS"].strip().split("\n\n"):
        fields = {}
        for line in block.split("\n"):
            key, _, value = line.partition(":")
            fields[key.strip()] = value.lstrip(" ")
        out.append(fields)
    return out

cmd = sys.argv[1]
if cmd == "count":
    print(len(mutants()))
elif cmd == "show":
    m = mutants()[int(sys.argv[2]) - 1]
    print(f"{m['file']}: {m['name']}")
elif cmd == "apply":
    m = mutants()[int(sys.argv[2]) - 1]
    path = os.path.join(sys.argv[3], m["file"])
    text = open(path, encoding="utf-8").read()
    if text.count(m["from"]) != 1:
        sys.exit(f"{m['file']}: the text to replace is found {text.count(m['from'])} times: {m['from']}")
    open(path, "w", encoding="utf-8").write(text.replace(m["from"], m["to"]))
elif cmd == "sync":
    # Copies the files that differ, so that the copy builds incrementally.
    src, dst = sys.argv[2], sys.argv[3]
    for name in sys.argv[4:]:
        a, b = os.path.join(src, name), os.path.join(dst, name)
        if os.path.isfile(b) and open(a, "rb").read() == open(b, "rb").read():
            continue
        os.makedirs(os.path.dirname(b), exist_ok=True)
        shutil.copy2(a, b)
        os.utime(b)  # newer than anything built from the old content
PY
}

total=$(patcher count)
if [ "${1:-}" = "--list" ]; then
    for ((i = 1; i <= total; ++i)); do
        printf '%3d  %s\n' "$i" "$(patcher show "$i")"
    done
    exit 0
fi
selected=("$@")
if [ ${#selected[@]} -eq 0 ]; then
    mapfile -t selected < <(seq 1 "$total")
fi

# The copy: the files git knows of, as they are now in the working tree.
mkdir -p "$src"
mapfile -d '' files < <(git ls-files -z --cached --others --exclude-standard)
existing=()
for f in "${files[@]}"; do
    [ -f "$f" ] && existing+=("$f")
done
patcher sync "$root" "$src" "${existing[@]}"

if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null

# A fault is usually caught by the quick tests: they run first and stop at
# the first failure; the long runs (label `long`) only when they all pass.
build_and_test() {
    cmake --build "$build" -j2 >"$work/build.log" 2>&1 || return 2
    ctest --test-dir "$build" -j2 --timeout "$timeout" -LE long --stop-on-failure >"$work/ctest.log" 2>&1 || return 1
    ctest --test-dir "$build" -j2 --timeout "$timeout" -L long >>"$work/ctest.log" 2>&1 || return 1
    return 0
}

echo "Unchanged tree: building and running the suite..."
if ! build_and_test; then
    echo "The suite does not pass on the unchanged tree; see $work/build.log and $work/ctest.log" >&2
    exit 1
fi

caught=0
missed=()
unbuilt=()
results=()
for n in "${selected[@]}"; do
    what=$(patcher show "$n")
    file=${what%%:*}
    patcher apply "$n" "$src"
    start=$SECONDS
    status=0
    build_and_test || status=$?
    cp -p "$root/$file" "$src/$file"
    touch "$src/$file"
    case $status in
    1)
        caught=$((caught + 1))
        by=$(sed -nE 's/^[[:space:]]*[0-9]+ - ([^ ]+) .*/\1/p' "$work/ctest.log" | tr '\n' ' ')
        line=$(printf '[%2d] caught  %s (by %s) %ss' "$n" "$what" "${by% }" $((SECONDS - start)))
        ;;
    0)
        missed+=("$n")
        line=$(printf '[%2d] MISSED  %s %ss' "$n" "$what" $((SECONDS - start)))
        ;;
    *)
        unbuilt+=("$n")
        line=$(printf '[%2d] no build  %s' "$n" "$what")
        ;;
    esac
    echo "$line"
    results+=("$line")
done

# Back to the unchanged tree, so that the next run starts from it.
build_and_test >/dev/null 2>&1 || true

tested=$((${#selected[@]} - ${#unbuilt[@]}))
{
    printf '%s\n' "${results[@]}"
    echo "Caught $caught of $tested faults planted (${#unbuilt[@]} did not build)."
    [ ${#missed[@]} -eq 0 ] || echo "Missed: ${missed[*]}"
} >"$work/last-run.txt"
tail -n +$((${#results[@]} + 1)) "$work/last-run.txt"
