#include "help/frmComp.h"

#include "help/CompatibilityChart.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace talvero {

namespace {

constexpr int kRowHeight = 240;
constexpr int kFirstGroupTop = 480;
constexpr int kSecondGroupTop = 6540;

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, QRect twips)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

// A check box that the program may show grey ("not tested") but that a click only ever toggles
// between ticked and empty, as an ordinary check box does.
class ChartCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override
    {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

QCheckBox* AddCheckBox(QWidget* parent, const QString& name, ChartMark mark, int left, int top)
{
    auto* box = new ChartCheckBox(parent);
    box->setObjectName(name);
    box->setCheckState(mark == ChartMark::Ticked      ? Qt::Checked
                       : mark == ChartMark::NotTested ? Qt::PartiallyChecked
                                                      : Qt::Unchecked);
    box->setGeometry(TwipsRect(left, top, 195, 195));
    return box;
}

void AddLine(QWidget* parent, const QString& name, int top)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(TwipsRect(120, top - 15, 6780, 30));
}

}  // namespace

frmComp::frmComp()
    : HelpWindow("frmComp", QSize(7155, 8355), QRect(60, 0, 7035, 8295), QRect(5400, 7860, 1575, 315))
{
    QWidget* frame = Frame();
    QLabel* gameHeading = AddLabel(frame, QStringLiteral("Label22"), QString(), QRect(120, 180, 2595, 195));
    QLabel* joypadHeading =
        AddLabel(frame, QStringLiteral("Label23"), QStringLiteral("Joypad"), QRect(2760, 180, 675, 195));
    QLabel* nvramHeading =
        AddLabel(frame, QStringLiteral("Label24"), QStringLiteral("NVRAM"), QRect(3480, 180, 675, 195));
    QLabel* noteHeading = AddLabel(frame, QStringLiteral("Label2"), QString(), QRect(4200, 180, 2715, 195));
    for (QLabel* heading : {gameHeading, joypadHeading, nvramHeading, noteHeading})
        heading->setStyleSheet(QStringLiteral("font-weight: bold"));

    const std::vector<ChartRow> rows = CompatibilityChart();
    const int firstGroup = static_cast<int>(CompatibilityChartFirstGroupSize());
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const ChartRow& row = rows[static_cast<std::size_t>(i)];
        const int top = i < firstGroup ? kFirstGroupTop + i * kRowHeight
                                       : kSecondGroupTop + (i - firstGroup) * kRowHeight;
        const QString n = QString::number(i + 1);
        WidenToFit(AddLabel(frame, "Game" + n, QString::fromStdString(row.title), QRect(120, top, 2595, 195)),
                   3000 - 120 - 30);
        AddCheckBox(frame, "Joypad" + n, row.joypad, 3000, top);
        AddCheckBox(frame, "NVRAM" + n, row.nvram, 3720, top);
        AddLabel(frame, "Note" + n, QString::fromStdString(row.note), QRect(4200, top, 2715, 195));
    }
    AddLine(frame, QStringLiteral("Line1"), 420);
    AddLine(frame, QStringLiteral("Line2"), 6480);
    AddLine(frame, QStringLiteral("Line3"), 7740);
    AddCheckBox(frame, QStringLiteral("Legend"), ChartMark::NotTested, 120, 7920);
    QLabel* legend = AddLabel(frame, QStringLiteral("Label47"), QString(), QRect(360, 7920, 1095, 195));

    // Form_Load
    setWindowTitle(QStringLiteral("Help: Compatibility"));
    CloseButton()->setText(QStringLiteral("Close"));
    noteHeading->setText(QStringLiteral("Note"));
    gameHeading->setText(QStringLiteral("Game"));
    legend->setText(QStringLiteral("= not tested"));
}

}  // namespace talvero
