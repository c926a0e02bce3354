#include "Main2.h"

#include "Assessment.h"
#include "OptionFrame.h"
#include "PictureBox.h"
#include "SvgPicture.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include <cstdlib>

namespace {

QString regionName(Region region)
{
    return QString::fromUtf8(RegionNames[std::size_t(region)]);
}

// The score of a region as a screen reader names it: one name for each region, where the
// captions on the tabs say "Right Arm Score" for the upper and the lower arm alike.
QString scoreName(Region region)
{
    return regionName(region) + QStringLiteral(" score");
}

// What a drawing shows, as a screen reader says it: "Trunk: 20° to 60° flexion or extension";
// a drawing that adds to the score says by how much ("..., plus 1").
QString spokenName(const OptionSpec& option)
{
    QString words = QString::fromUtf8(option.words);
    words.replace(QChar(0x2013), QStringLiteral(" to ")); // "20°–60°" is read "20° 60°"
    QString name = regionName(option.region) + QStringLiteral(": ") + words;
    if (option.kind != OptionKind::Base)
        name += (option.value < 0 ? QStringLiteral(", minus %1") : QStringLiteral(", plus %1"))
                    .arg(std::abs(option.value));
    return name;
}

// The score a drawing stands for and the region's score now: a screen reader speaks it when it
// changes for the drawing in focus, so that a choice is followed by its score.
QString spokenScore(const OptionSpec& option, const QString& shown)
{
    const QString now = scoreName(option.region) + QStringLiteral(": ") +
                        (shown.isEmpty() ? QStringLiteral("nothing chosen") : shown);
    if (option.kind != OptionKind::Base)
        return now;
    return QStringLiteral("Scores %1. %2").arg(option.value).arg(now);
}

// Shrinks a label's font until its longest word (or, unwrapped, its whole text) fits the width.
void fitFontToWidth(QLabel* label, int width)
{
    QFont font = label->font();
    const QStringList words =
        label->wordWrap() ? label->text().split(QLatin1Char(' ')) : QStringList{label->text()};
    auto widest = [&] {
        const QFontMetrics metrics(font);
        int result = 0;
        for (const QString& word : words)
            result = std::max(result, metrics.horizontalAdvance(word));
        return result;
    };
    while (widest() > width && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

// The tab captions shrink with the window's zoom; the room the style leaves around them has to
// shrink with them, or the captions of a zoomed-out window no longer fit on the tab row.
class ZoomedTabStyle : public QProxyStyle
{
public:
    explicit ZoomedTabStyle(double zoom) : m_zoom(zoom) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_TabBarTabHSpace || metric == PM_TabBarTabVSpace)
            return qRound(value * m_zoom);
        return value;
    }

private:
    double m_zoom;
};

} // namespace

// The tabbed container reaches 10815 twips down, past the designed client height of 10680: the
// window is sized so that it shows whole.
Main2::Main2() : Form(QStringLiteral("Main2"), QStringLiteral("VESK"), QSize(15270, 10815))
{
    const QString arial = QStringLiteral("Arial");
    const QFont buttonFont = designFont(arial, 12, true);
    struct ButtonSpec
    {
        QPushButton** member;
        const char* name;
        const char* caption;
        int left, top;
        void (Main2::*handler)();
    };
    const ButtonSpec buttons[] = {
        {&Command3, "Command3", "&Load Picture", 120, 240, &Main2::Command3_Click},
        {&Command5, "Command5", "Play &Video", 2040, 240, &Main2::Command5_Click},
        {&Command1, "Command1", "Load &Extra Pictures", 120, 1440, &Main2::Command1_Click},
        {&Command2, "Command2", "View &Results", 2040, 1440, &Main2::Command2_Click},
        {&Command4, "Command4", "View Extra &Pictures", 120, 2640, &Main2::Command4_Click},
        {&Command8, "Command8", "&Exit", 2040, 2640, &Main2::Command8_Click},
        {&Command6, "Command6", "  VESK &Overview", 840, 3840, &Main2::Command6_Click},
    };
    for (const ButtonSpec& design : buttons) {
        *design.member =
            addButton(QString::fromLatin1(design.name), QString::fromLatin1(design.caption),
                      {design.left, design.top, 1815, 735}, buttonFont);
        connect(*design.member, &QPushButton::clicked, this, design.handler);
    }

    cmdMeasure = addButton(QStringLiteral("cmdMeasure"), QStringLiteral("&Measure on Picture"),
                           {120, 4650, 3735, 450}, buttonFont);
    cmdMeasure->hide();
    connect(cmdMeasure, &QPushButton::clicked, this, &Main2::cmdMeasure_Click);

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Task picture"));
    place(Picture1, 120, 5160, 3735, 5535);
    Picture1->hide();

    SSTab2 = new QTabWidget(this);
    SSTab2->setObjectName(QStringLiteral("SSTab2"));
    SSTab2->setFont(designFont(arial, 9.75, true));
    place(SSTab2, 3960, 0, 11175, 10815);
    const char* const tabCaptions[] = {"1. Trunk, Neck, Legs", "2. Upper Arms", "3. Lower Arms",
                                       "4. Wrists", "5. Load / Force, Coupling, Activity"};
    for (int tab = 0; tab < 5; ++tab) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("Tab%1").arg(tab + 1));
        page->setAccessibleName(QString::fromLatin1(tabCaptions[tab]));
        SSTab2->addTab(page, QString::fromLatin1(tabCaptions[tab]));
    }
    fitTabCaptions();
    // Measured with the tabs in place: an empty tab row has no height.
    m_tabBarHeight = SSTab2->tabBar()->sizeHint().height();

    buildTab(0, QStringLiteral("Label85"), QStringLiteral("Group A - Trunk, Neck and Legs"));
    buildTab(1, QStringLiteral("Label79"), QStringLiteral("Group B- Upper Arms (Shoulders)"));
    buildTab(2, QStringLiteral("Label9"), QStringLiteral("Group B - Lower Arms"));
    buildTab(3, QStringLiteral("Label8"), QStringLiteral("Group B - Wrists"));
    buildTab(4, QStringLiteral("Label14"), QStringLiteral("Load / Force, Coupling, Activity"));

    // The line between the leg postures and the knee options.
    auto* line = new QFrame(SSTab2->widget(0));
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::VLine);
    setAccessibleRole(line, QAccessible::Separator);
    placeOnTab(line, {6360, 7920, 15, 10080 - 7920});

    // Buttons first, then the tabs with their drawings in table order.
    QWidget* previous = Command3;
    for (QPushButton* next :
         {Command5, Command1, Command2, Command4, Command8, Command6, cmdMeasure}) {
        setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, SSTab2);
    addTabKeys();
    focusFirstDrawing();

    setWindowState(Qt::WindowMaximized);
    Form_Load();
}

void Main2::Form_Load()
{
    m_valueLabels[static_cast<int>(Region::Activity)]->setText(QStringLiteral("0"));
    m_scoreShown[static_cast<int>(Region::Activity)] = true;
}

void Main2::fitTabCaptions()
{
    auto* style = new ZoomedTabStyle(zoom());
    style->setParent(SSTab2->tabBar());
    SSTab2->tabBar()->setStyle(style);
    // Font sizes come in steps: where the zoomed font still runs wide, a smaller one is taken.
    QFont font = SSTab2->font();
    while (SSTab2->tabBar()->sizeHint().width() > SSTab2->width() && font.pointSizeF() > 3) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        SSTab2->setFont(font);
    }
}

void Main2::addTabKeys()
{
    // Ctrl+Tab and Ctrl+PgDn go one tab on, Ctrl+Shift+Tab and Ctrl+PgUp one back, Alt+1 to
    // Alt+5 straight to a tab; all of them from anywhere in the window.
    const auto step = [this](int by) {
        showTabFromKeyboard((SSTab2->currentIndex() + by + SSTab2->count()) % SSTab2->count());
    };
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, by] : steps) {
        const int offset = by; // clang before 16 cannot capture a structured binding
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [step, offset] { step(offset); });
    }
    for (int tab = 0; tab < SSTab2->count(); ++tab) {
        connect(new QShortcut(QKeySequence(Qt::ALT | (Qt::Key_1 + tab)), this),
                &QShortcut::activated, this, [this, tab] { showTabFromKeyboard(tab); });
    }
}

void Main2::showTabFromKeyboard(int tab)
{
    SSTab2->setCurrentIndex(tab);
    focusFirstDrawing();
}

void Main2::focusFirstDrawing()
{
    const int tab = SSTab2->currentIndex();
    for (std::size_t i = 0; i < Options.size(); ++i) {
        if (Options[i].tab == tab) {
            m_frames[i]->drawing->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QRect Main2::onTab(const TwipsRect& twips) const
{
    // Positions on a tab count from the top of the whole tabbed container, tab row included.
    return toPixels(twips.left, twips.top, twips.width, twips.height)
        .translated(0, -m_tabBarHeight);
}

void Main2::placeOnTab(QWidget* child, const TwipsRect& twips) const
{
    child->setGeometry(onTab(twips));
}

void Main2::showRegion(Region region)
{
    for (std::size_t i = 0; i < Options.size(); ++i) {
        if (Options[i].region == region) {
            SSTab2->setCurrentIndex(Options[i].tab);
            m_frames[i]->drawing->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void Main2::buildTab(int tab, const QString& headingName, const QString& heading)
{
    QWidget* page = SSTab2->widget(tab);
    const QString arial = QStringLiteral("Arial");

    auto* title = new QLabel(heading, page);
    title->setObjectName(headingName);
    title->setFont(designFont(arial, 32.25, true));
    title->setAlignment(Qt::AlignCenter);
    setTextColour(title, DarkBlue);
    const int tabRowTwips = qRound(m_tabBarHeight * 1440.0 / logicalDpiY() / zoom());
    placeOnTab(title, {120, tabRowTwips + 120, 10935, 900});

    // A region's main postures are one group of radio buttons to assistive technology. The group
    // shows nothing: it only spans its drawings and holds them.
    std::array<QWidget*, RegionCount> groups{};
    for (const OptionSpec& option : Options) {
        if (option.tab != tab || option.kind != OptionKind::Base)
            continue;
        QWidget*& group = groups[std::size_t(option.region)];
        if (!group) {
            group = new QWidget(page);
            setAccessibleRole(group, QAccessible::Grouping);
            group->setAccessibleName(regionName(option.region));
            group->setGeometry(onTab(option.frameRect));
        }
        group->setGeometry(group->geometry().united(onTab(option.frameRect)));
    }

    for (int i = 0; i < int(Options.size()); ++i) {
        const OptionSpec& option = Options[i];
        if (option.tab != tab)
            continue;
        const bool base = option.kind == OptionKind::Base;
        QWidget* holder = base ? groups[std::size_t(option.region)] : page;
        auto* frame = new OptionFrame(QString::fromUtf8(option.frame), holder);
        frame->setGeometry(onTab(option.frameRect).translated(-holder->mapTo(page, QPoint())));
        frame->drawing =
            new SvgPicture(QString::fromUtf8(option.artwork), SvgPicture::Scaling::Fit, frame);
        frame->drawing->setObjectName(QString::fromUtf8(option.drawing));
        frame->drawing->setCursor(Qt::PointingHandCursor);
        // Drawings can be reached with Tab and chosen with Space, like buttons.
        frame->drawing->setFocusPolicy(Qt::StrongFocus);
        frame->drawing->setChoice(base ? SvgPicture::Choice::RadioButton
                                       : SvgPicture::Choice::CheckBox);
        frame->drawing->setAccessibleName(spokenName(option));
        frame->drawing->setGeometry(
            QRect(QPoint(toPixels(120), toPixels(120)),
                  QPoint(frame->width() - toPixels(120) - 1, frame->height() - toPixels(60) - 1)));
        connect(frame->drawing, &SvgPicture::clicked, this, [this, i] { emit drawingClicked(i); });
        m_frames[i] = frame;
    }

    for (const ScoreDisplay& display : ScoreDisplays) {
        if (display.tab != tab)
            continue;
        // A row label may use the room up to the region's first drawing.
        int firstDrawing = 11175;
        for (const OptionSpec& option : Options) {
            if (option.region == display.region)
                firstDrawing = std::min(firstDrawing, option.frameRect.left);
        }
        const int rowWidth = firstDrawing - display.rowAt.left - 60;
        auto* row = new QLabel(QString::fromUtf8(display.rowText), page);
        row->setObjectName(QString::fromUtf8(display.rowLabel));
        row->setFont(designFont(arial, 24, true));
        row->setWordWrap(true);
        row->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeOnTab(row, {display.rowAt.left, display.rowAt.top, rowWidth, 1500});
        fitFontToWidth(row, toPixels(rowWidth));

        const int captionWidth = display.valueAt.left - display.captionAt.left - 60;
        auto* captionLabel = new QLabel(QString::fromUtf8(display.captionText), page);
        captionLabel->setObjectName(QString::fromUtf8(display.captionLabel));
        captionLabel->setFont(designFont(arial, 26.25, true));
        placeOnTab(captionLabel,
                   {display.captionAt.left, display.captionAt.top, captionWidth, 735});
        fitFontToWidth(captionLabel, toPixels(captionWidth));

        auto* value = new QLabel(page);
        value->setObjectName(QString::fromUtf8(display.valueLabel));
        value->setFont(designFont(arial, 27.75, true));
        placeOnTab(value, {display.valueAt.left, display.valueAt.top, 1200, 735});
        captionLabel->setAccessibleName(scoreName(display.region));
        setAccessibleCaption(value, scoreName(display.region));
        m_valueLabels[static_cast<int>(display.region)] = value;

        for (QLabel* label : {row, captionLabel, value})
            setTextColour(label, DarkBlue);
    }
}

void Main2::showAssessment(const Assessment& assessment)
{
    for (std::size_t i = 0; i < Options.size(); ++i) {
        const bool chosen = assessment.isChosen(int(i));
        m_frames[i]->setBackColor(chosen ? Red : ButtonFace);
        if (chosen)
            m_scoreShown[std::size_t(Options[i].region)] = true;
    }
    for (int region = 0; region < RegionCount; ++region) {
        if (m_scoreShown[std::size_t(region)])
            m_valueLabels[std::size_t(region)]->setText(
                QString::number(assessment.regionScore(Region(region))));
    }
    for (std::size_t i = 0; i < Options.size(); ++i) {
        const QString score =
            spokenScore(Options[i], m_valueLabels[std::size_t(Options[i].region)]->text());
        if (m_frames[i]->drawing->accessibleDescription() != score)
            m_frames[i]->drawing->setAccessibleDescription(score);
    }
}

FitResult Main2::showTaskPicture(const QImage& picture, QSizeF pictureSize, bool reveal)
{
    if (reveal) {
        Picture1->clear();
        Picture1->show();
        cmdMeasure->show();
    }
    return Picture1->paintFitted(picture, pictureSize);
}

QSize Main2::taskPictureSize() const
{
    return Picture1->deviceSize();
}

void Main2::Command2_Click()
{
    emit viewResultsRequested();
}

void Main2::Command1_Click()
{
    emit loadExtraPicturesRequested();
}

void Main2::Command3_Click()
{
    emit loadPictureRequested();
}

void Main2::Command4_Click()
{
    emit viewExtraPicturesRequested();
}

void Main2::Command5_Click()
{
    emit playVideoRequested();
}

void Main2::Command6_Click()
{
    emit overviewRequested();
}

void Main2::Command8_Click()
{
    emit exitRequested();
}

void Main2::cmdMeasure_Click()
{
    emit measurePictureRequested();
}
