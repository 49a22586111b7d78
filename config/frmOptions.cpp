#include "config/frmOptions.h"

#include "platform/Drives.h"
#include "ui/Twips.h"
#include "ui/WindowRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace talvero {

namespace {
const char* const kControllerEntries[] = {"Keyboard (cursor keys & right control key)",
                                          "PC-Joypad/Joystick #1", "PC-Joypad/Joystick #2"};
}  // namespace

frmOptions::frmOptions(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmOptions"));
    setFixedSize(TwipsSize(5295, 1995));

    m_frame1 = PlaceChild(new QGroupBox(this), "Frame1", TwipsRect(60, 0, 5175, 1935));
    m_drive1 = PlaceChild(new QLineEdit(m_frame1), "Drive1", TwipsRect(1560, 240, 3015, 315));
    m_drive1->setMaxLength(3);
    m_selDrive = PlaceChild(new QPushButton(QStringLiteral("..."), m_frame1), "selDrive",
                            TwipsRect(4680, 240, 375, 315));
    m_romFile = PlaceChild(new QLineEdit(m_frame1), "ROMfile", TwipsRect(1560, 660, 3015, 315));
    m_selKick = PlaceChild(new QPushButton(QStringLiteral("..."), m_frame1), "selKick",
                           TwipsRect(4680, 660, 375, 315));
    m_gamePort1 = PlaceChild(new QComboBox(m_frame1), "GamePort1", TwipsRect(1560, 1080, 3495, 315));
    m_sndEmu = PlaceChild(new QCheckBox(QStringLiteral("Sound-Emulation"), m_frame1), "SndEmu",
                          TwipsRect(120, 1560, 1575, 195));
    m_sndEmu->setChecked(true);
    m_scanlines = PlaceChild(new QCheckBox(QStringLiteral("S&canlines"), m_frame1), "Scanlines",
                             TwipsRect(1800, 1560, 1035, 195));
    m_saveOpt = PlaceChild(new QPushButton(m_frame1), "saveOpt", TwipsRect(3000, 1500, 2055, 315));
    m_drive2 = PlaceChild(new QComboBox(m_frame1), "Drive2", TwipsRect(1560, 240, 3015, 315));
    m_drive2->setStyleSheet(QStringLiteral("QComboBox { background-color: #E0E0E0; }"));
    m_drive2->hide();
    m_label1 = PlaceChild(new QLabel(m_frame1), "Label1", TwipsRect(120, 300, 1095, 195));
    m_label2 = PlaceChild(new QLabel(QStringLiteral("Kickstart 3.1-ROM:"), m_frame1), "Label2",
                          TwipsRect(120, 720, 1395, 195));
    // The longest caption may take the gap before its field where a font draws it a little wider.
    WidenToFit(m_label2, 1560 - 120);
    m_label3 = PlaceChild(new QLabel(m_frame1), "Label3", TwipsRect(120, 1140, 1095, 195));

    setTabOrder(m_drive1, m_selDrive);
    setTabOrder(m_selDrive, m_romFile);
    setTabOrder(m_romFile, m_selKick);
    setTabOrder(m_selKick, m_gamePort1);
    setTabOrder(m_gamePort1, m_sndEmu);
    setTabOrder(m_sndEmu, m_scanlines);
    setTabOrder(m_scanlines, m_saveOpt);
    setTabOrder(m_saveOpt, m_drive2);

    // No button takes Enter by itself: Esc closes without saving, "Save options" saves.
    for (QPushButton* button : {m_selDrive, m_selKick, m_saveOpt})
        button->setAutoDefault(false);
    connect(m_selDrive, &QPushButton::clicked, this, &frmOptions::selDrive_Click);
    connect(m_selKick, &QPushButton::clicked, this, &frmOptions::selKick_Click);
    connect(m_saveOpt, &QPushButton::clicked, this, &frmOptions::saveOpt_Click);

    FillDriveList();
    Form_Load();
    Windows().options = this;
}

frmOptions::~frmOptions() = default;

void frmOptions::Form_Load()
{
    setWindowTitle(QStringLiteral("Options"));
    m_label1->setText(QStringLiteral("CD drive:"));
    m_label3->setText(QStringLiteral("Control with:"));
    m_saveOpt->setText(QStringLiteral("&Save options"));
    for (const char* entry : kControllerEntries)
        m_gamePort1->addItem(QString::fromLatin1(entry));
    m_gamePort1->setCurrentIndex(-1);

    OptionsState state = Fields();
    LoadOptions(state);
    ShowFields(state);
}

void frmOptions::FillDriveList()
{
    // The list starts on the drive that holds the current folder (the root drive otherwise).
    const QString current = QDir::currentPath();
    int currentIndex = 0;
    int longestRoot = -1;
    for (const DriveEntry& drive : ListDrives()) {
        const QString text = QString::fromStdString(drive.text);
        const QString root = text.mid(3);
        if (current.startsWith(root) && root.size() > longestRoot) {
            longestRoot = static_cast<int>(root.size());
            currentIndex = m_drive2->count();
        }
        m_drive2->addItem(text);
    }
    m_drive2->setCurrentIndex(currentIndex);
}

OptionsState frmOptions::Fields() const
{
    OptionsState state;
    state.drive = m_drive1->text().toStdString();
    state.port = m_gamePort1->currentIndex();
    state.romFile = m_romFile->text().toStdString();
    state.scanlines = m_scanlines->isChecked();
    state.soundEmulation = m_sndEmu->isChecked();
    return state;
}

void frmOptions::ShowFields(const OptionsState& state)
{
    m_drive1->setText(QString::fromStdString(state.drive));
    m_gamePort1->setCurrentIndex(state.port);
    m_romFile->setText(QString::fromStdString(state.romFile));
    m_scanlines->setChecked(state.scanlines);
    m_sndEmu->setChecked(state.soundEmulation);
}

QString frmOptions::DriveText() const
{
    return m_drive1->text();
}

bool frmOptions::SoundEmulation() const
{
    return m_sndEmu->isChecked();
}

void frmOptions::selDrive_Click()
{
    const bool picking = m_selDrive->text() == QStringLiteral("...");
    m_selDrive->setText(picking ? QStringLiteral("OK") : QStringLiteral("..."));
    for (QWidget* control : std::initializer_list<QWidget*>{m_drive1, m_gamePort1, m_romFile, m_saveOpt,
                                                            m_scanlines, m_selKick, m_sndEmu})
        control->setEnabled(!picking);
    m_drive2->setVisible(picking);
    if (picking) {
        m_drive2->raise();
        m_drive2->setFocus();
    } else {
        m_drive1->setText(m_drive2->currentText().left(2).toUpper());
    }
}

void frmOptions::selKick_Click()
{
    m_romFile->setText(QString::fromStdString(ChooseKickstart(m_romFile->text().toStdString())));
}

void frmOptions::saveOpt_Click()
{
    OptionsState state = Fields();
    const bool saved = SaveOptions(state);
    m_drive1->setText(QString::fromStdString(state.drive));
    m_romFile->setText(QString::fromStdString(state.romFile));
    if (saved)
        accept();
}

}  // namespace talvero
