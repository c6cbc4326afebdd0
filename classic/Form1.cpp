#include "classic/Form1.h"

#include "classic/Form2.h"
#include "classic/Playback.h"
#include "classic/ScriptBox.h"
#include "browser/DirList.h"
#include "browser/DriveList.h"
#include "browser/FileList.h"
#include "browser/PlainMessage.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "model/files/BrowserRules.h"
#include "model/files/FileLookup.h"
#include "model/text/Numbers.h"
#include "model/text/TextHelpers.h"
#include "program/AboutBox.h"
#include "zoom/ZoomControl.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>

namespace classic {

namespace {

const QString ProductName = QStringLiteral("Kestrum Frame Editor");

// A canvas coordinate from an offset that may be far outside the canvas.
int boundedCoordinate(qint64 value)
{
    return int(qBound(qint64(-1'000'000), value, qint64(1'000'000)));
}

int rounded(double value)
{
    return int(model::roundHalfEven(value));
}

} // namespace

Form1::Form1(QSettings* settings, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settings ? settings : userSettings(this))
{
    setObjectName(QStringLiteral("Form1"));
    m_ui.setupUi(this);
    setWindowTitle(ProductName + u' ' + QStringLiteral(KES_CLASSIC_VERSION));
    m_file = new ScriptFile(this, m_ui.Text1, m_settings);
    // The last menu; a choice is kept in the window's settings for the next start.
    language::addLanguageMenu(menuBar(), m_settings);
    program::addHelpMenu(menuBar(), program::Program::Classic);
    m_currentFolder = m_ui.File1->path();
    connectBrowser();
    connectFrameList();
    connectCommands();
    setUpPlayback();
    m_ui.Text3->installEventFilter(this);
    restoreSettings();
    setUpZoom();
}

QSettings* Form1::userSettings(QObject* parent)
{
    return new QSettings(QSettings::UserScope, QStringLiteral("Kestrum"), ProductName, parent);
}

QStringList Form1::catalogs()
{
    return {language::kSharedCatalog, QStringLiteral("classic")};
}

QString Form1::scriptText() const
{
    return m_ui.Text1->scriptText();
}

void Form1::setScriptText(const QString& text)
{
    m_ui.Text1->writeBack(text);
}

void Form1::connectBrowser()
{
    connect(m_ui.Drive1, &browser::DriveList::driveChanged, this, &Form1::onDriveChanged);
    connect(m_ui.Dir1, &browser::DirList::pathChanged, this, &Form1::onFolderChanged);
    connect(m_ui.Dir1, &browser::DirList::pathRefused, this,
            [this](const QString& folder) { message(tr("The folder %1 cannot be read.").arg(folder)); });
    connect(m_ui.Text4, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ui.File1->setPattern(model::patternFromText(text)); });
    connect(m_ui.File1, &browser::FileList::fileClicked, this, &Form1::onFileClicked);
    const auto addSelectedFile = [this] { m_ui.List1->addItem(m_ui.File1->fileName()); };
    connect(m_ui.File1, &browser::FileList::fileActivated, this, addSelectedFile);
    connect(m_ui.Command2, &QPushButton::clicked, this, addSelectedFile);
    connect(m_ui.Command5, &QPushButton::clicked, this, [this] { m_ui.List1->addItems(m_ui.File1->fileNames()); });
}

void Form1::connectFrameList()
{
    connect(m_ui.List1, &QListWidget::currentRowChanged, this, &Form1::onFrameSelected);
    // A click on the row already selected brings the canvas back after a preview.
    connect(m_ui.List1, &QListWidget::itemClicked, this, [this] {
        if (m_ui.PicEdit->isHidden())
            onFrameSelected();
    });
    connect(m_ui.Command1, &QPushButton::clicked, this, &Form1::removeEntry);
    connect(m_ui.Command6, &QPushButton::clicked, this, &Form1::clearEntries);
    connect(m_ui.Command3, &QPushButton::clicked, this, [this] { moveEntry(-1); });
    connect(m_ui.Command4, &QPushButton::clicked, this, [this] { moveEntry(1); });
    connect(m_ui.PreviousFrame, &QAction::triggered, this, [this] { step(-1); });
    connect(m_ui.NextFrame, &QAction::triggered, this, [this] { step(1); });
    connect(m_ui.mBackColor, &QAction::triggered, this, &Form1::toggleBackground);
}

void Form1::connectCommands()
{
    // The outlines follow the switch at once, not only at the next frame.
    connect(m_ui.Check2, &QCheckBox::toggled, this, &Form1::redrawSelectedFrame);
    connect(m_ui.Option1, &QRadioButton::toggled, this, [this](bool on) { m_bodyBoxMode = !on; });
    connect(m_ui.Command7, &QPushButton::clicked, this, &Form1::setDisplacement);
    connect(m_ui.Command8, &QPushButton::clicked, this, &Form1::addEmptyBox);
    connect(m_ui.Command9, &QPushButton::clicked, this, &Form1::insertDefinition);
    connect(m_ui.Command10, &QPushButton::clicked, this, &Form1::shiftAllOffsets);
    connect(m_ui.Initial, &QAction::triggered, this, &Form1::generateInitialText);
    connect(m_ui.Clip, &QAction::triggered, this, &Form1::copyText);
    connect(m_ui.mReverse, &QAction::triggered, this, &Form1::listFramesFromText);
    connect(m_ui.PicEdit, &Canvas::pressed, this, &Form1::onCanvasPressed);
    connect(m_ui.PicEdit, &Canvas::moved, this, &Form1::onCanvasMoved);
    connect(m_ui.PicEdit, &Canvas::released, this, &Form1::onCanvasReleased);

    ScriptBox* text = m_ui.Text1;
    connect(m_ui.mUndo, &QAction::triggered, text, &ScriptBox::undoStep);
    connect(m_ui.mRedo, &QAction::triggered, text, &ScriptBox::redoStep);
    connect(text, &QPlainTextEdit::undoAvailable, m_ui.mUndo, &QAction::setEnabled);
    connect(text, &QPlainTextEdit::redoAvailable, m_ui.mRedo, &QAction::setEnabled);
    // The canvas shows the selected frame as the restored text describes it.
    connect(text, &ScriptBox::historyRestored, this, [this] {
        if (m_ui.List1->currentRow() >= 0)
            onFrameSelected();
    });
}

// One press of a play key starts playback, the next one stops it; so do
// Escape, any edit of the text or the list, and closing the window.
void Form1::setUpPlayback()
{
    m_playback = new Playback([this] { return m_ui.List1->count(); }, [this](int row) { return playRow(row); }, this);
    connect(m_ui.Play, &QAction::triggered, this, [this] { togglePlayback(1); });
    connect(m_ui.PlayLoop, &QAction::triggered, this, [this] { togglePlayback(3); });
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    escape->setEnabled(false);
    connect(escape, &QShortcut::activated, m_playback, &Playback::stop);
    connect(m_playback, &Playback::playingChanged, escape, &QShortcut::setEnabled);
    connect(m_ui.Text1->document(), &QTextDocument::contentsChanged, m_playback, &Playback::stop);
    const QAbstractItemModel* rows = m_ui.List1->model();
    connect(rows, &QAbstractItemModel::rowsInserted, m_playback, &Playback::stop);
    connect(rows, &QAbstractItemModel::rowsRemoved, m_playback, &Playback::stop);
    connect(rows, &QAbstractItemModel::modelReset, m_playback, &Playback::stop);
}

// Each stored value that no longer applies (a drive or folder that is gone)
// is skipped; the next one is still tried.
void Form1::restoreSettings()
{
    m_settings->beginGroup(QStringLiteral("set"));
    const QString drive = m_settings->value(QStringLiteral("drive")).toString();
    const QString folder = m_settings->value(QStringLiteral("dir")).toString();
    const QString pattern = m_settings->value(QStringLiteral("pat")).toString();
    m_settings->endGroup();

    // The pattern comes first, so that the file list reads the saved folder
    // once, already filtered; it follows the folder list through pathChanged.
    m_ui.Text4->setText(pattern);
    m_ui.File1->setPattern(model::patternFromText(m_ui.Text4->text()));
    m_ui.Drive1->setDrive(drive);
    m_ui.Dir1->setPath(folder);
    m_currentFolder = m_ui.File1->path();
}

void Form1::saveSettings()
{
    m_settings->beginGroup(QStringLiteral("set"));
    m_settings->setValue(QStringLiteral("drive"), m_ui.Drive1->drive());
    m_settings->setValue(QStringLiteral("dir"), m_ui.Dir1->path());
    m_settings->setValue(QStringLiteral("pat"), m_ui.Text4->text());
    m_settings->endGroup();
    m_settings->sync();
}

void Form1::closeEvent(QCloseEvent* event)
{
    m_playback->stop();
    if (!m_file->askToKeepChanges()) {
        event->ignore();
        return;
    }
    m_file->closed();
    saveSettings();
    event->accept();
}

void Form1::onDriveChanged(const QString& drive)
{
    if (m_ui.Dir1->setPath(drive))
        return;
    message(tr("The drive %1 is not ready.").arg(drive));
    const QSignalBlocker blocker(m_ui.Drive1);
    m_ui.Drive1->setDrive(m_ui.Dir1->path());
}

void Form1::onFolderChanged(const QString& folder)
{
    m_ui.File1->setPath(folder);
    m_currentFolder = m_ui.File1->path();
}

void Form1::onFileClicked(const QString& name)
{
    const QImage image = loadImage(framePath(name));
    if (image.isNull())
        return;
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Body, false);
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Attack, false);
    m_ui.PicBuffer->setPixmap(QPixmap::fromImage(image));
    // The preview never reaches over the controls beside the canvas.
    m_ui.PicBuffer->resize(image.size().boundedTo(m_ui.PicEdit->size()));
    m_ui.PicBuffer->show();
    m_ui.PicEdit->hide();
}

std::optional<int> Form1::onFrameSelected()
{
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Body, false);
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Attack, false);
    m_ui.PicEdit->show();
    m_ui.PicBuffer->hide();
    return showFrame(false);
}

// Selects a row as a click would, also when it is selected already.
void Form1::selectRow(int row)
{
    {
        const QSignalBlocker blocker(m_ui.List1);
        m_ui.List1->setCurrentRow(row);
    }
    onFrameSelected();
}

void Form1::moveEntry(int step)
{
    QListWidget* list = m_ui.List1;
    const int row = list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count())
        return;
    {
        const QSignalBlocker blocker(list);
        list->insertItem(target, list->takeItem(row));
    }
    selectRow(target);
}

void Form1::removeEntry()
{
    QListWidget* list = m_ui.List1;
    const int row = list->currentRow();
    if (row < 0)
        return;
    const QSignalBlocker blocker(list);
    delete list->takeItem(row);
    list->setCurrentRow(-1);
}

void Form1::clearEntries()
{
    const QSignalBlocker blocker(m_ui.List1);
    m_ui.List1->clear();
}

void Form1::step(int direction)
{
    const int row = m_ui.List1->currentRow();
    if (direction < 0 && row > 0)
        selectRow(row - 1);
    else if (direction > 0 && row < m_ui.List1->count() - 1)
        selectRow(row + 1);
}

void Form1::togglePlayback(int runs)
{
    if (m_playback->isPlaying()) {
        m_playback->stop();
        return;
    }
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Body, false);
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Attack, false);
    m_playback->start(runs);
}

// Selects the row as a click does, then draws its frame again for playback.
// A frame that cannot be shown ends playback after its one message.
std::optional<int> Form1::playRow(int row)
{
    {
        const QSignalBlocker blocker(m_ui.List1);
        m_ui.List1->setCurrentRow(row);
    }
    return onFrameSelected() ? showFrame(true) : std::nullopt;
}

void Form1::toggleBackground()
{
    const QColor colour = m_ui.mBackColor->isChecked() ? QColor(255, 0, 253) : palette().color(QPalette::Window);
    m_ui.PicEdit->setBackground(colour);
    redrawSelectedFrame();
}

void Form1::redrawSelectedFrame()
{
    if (m_ui.List1->currentRow() >= 0 && !m_ui.PicEdit->isHidden())
        onFrameSelected();
}

QString Form1::selectedName() const
{
    const QListWidgetItem* item = m_ui.List1->currentItem();
    return item ? item->text() : QString();
}

QString Form1::framePath(const QString& name) const
{
    // Names in the list and in scripts often differ from the files in letter case.
    const QString found = model::findFileIgnoringCase(m_currentFolder, name);
    return QDir::toNativeSeparators(found.isEmpty() ? model::joinPath(m_currentFolder, name) : found);
}

QImage Form1::loadImage(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        message(tr("File %1 does not exist.").arg(path));
        return {};
    }
    const QImage image(path);
    if (image.isNull())
        message(tr("File %1 is not an image that can be loaded.").arg(path));
    return image;
}

void Form1::message(const QString& text)
{
    browser::showPlainMessage(this, QMessageBox::NoIcon, ProductName, text);
}

std::optional<int> Form1::showFrame(bool playing)
{
    const int row = m_ui.List1->currentRow();
    if (row < 0)
        return std::nullopt;
    const QString name = selectedName();
    const QImage image = loadImage(framePath(name));
    if (image.isNull())
        return std::nullopt;
    m_ui.panel1->setText(Form1Ui::frameText(row + 1, image.size()));

    const QString text = scriptText();
    if (!text.contains(name, Qt::CaseInsensitive)) {
        if (!playing) {
            m_spritePosition = QPoint();
            m_ui.PicEdit->drawImage(m_spritePosition, image);
            m_ui.PicEdit->repaint();
            m_ui.panel2->setText(tr("This frame is not defined yet"));
        }
        return 0;
    }

    m_ui.PicEdit->clear();
    const FoundLine offset = findLastKeywordLine(text, u"offset", name);
    const auto parsed = offset.found() ? parseOffsetLine(offset.text) : std::nullopt;
    if (parsed) {
        m_currentOffset = *parsed;
        m_anchor = m_ui.PicEdit->anchorPoint();
        m_spritePosition = QPoint(boundedCoordinate(qint64(m_anchor.x()) - parsed->x),
                                  boundedCoordinate(qint64(m_anchor.y()) - parsed->y));
    } else {
        m_anchor = QPoint();
        m_spritePosition = QPoint();
    }
    m_ui.PicEdit->drawImage(m_spritePosition, image);
    // A blast line in force draws over the attack line's rectangle.
    const std::pair<QStringView, Canvas::Shape> boxes[] = {
        {u"bbox", Canvas::Shape::Body}, {u"attack", Canvas::Shape::Attack}, {u"blast", Canvas::Shape::Attack}};
    for (const auto& [keyword, shape] : boxes) {
        const FoundLine line = findLastKeywordLine(text, keyword, name);
        if (line.found())
            placeBoxShape(line.text, shape);
    }
    const FoundLine delay = findLastKeywordLine(text, u"delay", name);
    m_ui.PicEdit->drawCross(m_anchor);
    m_ui.PicEdit->repaint();
    m_ui.panel2->clear();
    return delay.found() ? delayMilliseconds(delay.text) : 0;
}

void Form1::placeBoxShape(const QString& line, Canvas::Shape shape)
{
    if (!m_ui.Check2->isChecked())
        return;
    QList<double> box = lineValues(line, 4);
    // Sizes below 0 show as an empty outline; far-off values stay drawable.
    for (double& value : box)
        value = qBound(-1e6, value, 1e6);
    m_ui.PicEdit->setShapeRect(shape, QRectF(m_spritePosition.x() + box[0], m_spritePosition.y() + box[1],
                                             qMax(0.0, box[2]), qMax(0.0, box[3])));
    m_ui.PicEdit->setShapeVisible(shape, true);
}

void Form1::setFrameLine(const QString& line)
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        message(tr("请选择帧"));
        return;
    }
    setScriptText(classic::setFrameLine(scriptText(), name, line));
}

void Form1::generateInitialText()
{
    if (m_ui.List1->count() == 0) {
        message(tr("没有选择帧"));
        return;
    }
    QStringList names;
    QList<QSize> sizes;
    for (int row = 0; row < m_ui.List1->count(); ++row) {
        names.append(m_ui.List1->item(row)->text());
        const QImage image = loadImage(framePath(names.constLast()));
        if (image.isNull())
            return;
        sizes.append(image.size());
    }
    const InitialOptions options{m_ui.TxtOffset->text(), m_ui.checkls->isChecked(), m_ui.ckright->isChecked(),
                                 m_ui.txtLs->text()};
    const InitialText result = classic::generateInitialText(names, sizes, folderWord(m_currentFolder), options);
    if (!result.error.isEmpty()) {
        message(result.error);
        return;
    }
    setScriptText(result.text);
}

void Form1::insertDefinition()
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        message(tr("请选择帧"));
        return;
    }
    setScriptText(classic::insertDefinition(scriptText(), name, folderWord(m_currentFolder)));
}

void Form1::listFramesFromText()
{
    const QStringList names = classic::listFramesFromText(scriptText());
    const QSignalBlocker blocker(m_ui.List1);
    m_ui.List1->clear();
    m_ui.List1->addItems(names);
}

void Form1::shiftFrameOffset(qint32 dx, qint32 dy)
{
    const auto line = shiftedOffsetLine(scriptText(), selectedName(), dx, dy, m_currentOffset);
    if (!line)
        return;
    m_ui.Text5->setText(*line);
    setFrameLine(*line);
    showFrame(false);
}

void Form1::shiftAllOffsets()
{
    QListWidget* list = m_ui.List1;
    if (list->count() == 0) {
        message(tr("No Frames."));
        return;
    }
    const model::Int16Result dx = model::lenientInt16(m_ui.Text2->text());
    const model::Int16Result dy = model::lenientInt16(m_ui.Text6->text());
    if (!dx.ok() || !dy.ok()) {
        message(tr("x and y must lie between -32768 and 32767."));
        return;
    }
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    const ShiftedText shifted = classic::shiftAllOffsets(scriptText(), names, dx.value, dy.value, m_currentOffset);
    // A later release of another mouse button applies this line again.
    if (!shifted.lastLine.isEmpty())
        m_ui.Text5->setText(shifted.lastLine);
    setScriptText(shifted.text);
    selectRow(list->count() - 1);
}

void Form1::addEmptyBox()
{
    setFrameLine(m_bodyBoxMode ? QStringLiteral("Bbox\t0") : QStringLiteral("Attack\t0"));
}

void Form1::copyText()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(scriptText());
}

void Form1::setDisplacement()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const QString path = framePath(name);
    if (loadImage(path).isNull())
        return;
    Form2 form(QStringLiteral("%1|%2|%3").arg(path).arg(m_currentOffset.x).arg(m_currentOffset.y),
               this, m_ui.PicEdit->zoom()->level());
    form.exec();
    QString exchange = form.offsetExchange();
    const auto x = readNumber(model::NextPiece(exchange, QStringLiteral("|")));
    const auto y = readNumber(exchange);
    if (!x || !y)
        return;
    m_currentOffset = {*x, *y};
    m_ui.Text5->setText(offsetLine(m_currentOffset));
    setFrameLine(m_ui.Text5->text());
    showFrame(false);
}

Canvas::Shape Form1::activeShape() const
{
    return m_bodyBoxMode ? Canvas::Shape::Body : Canvas::Shape::Attack;
}

void Form1::onCanvasPressed(QPoint at, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    Canvas* canvas = m_ui.PicEdit;
    canvas->setShapeVisible(Canvas::Shape::Body, m_bodyBoxMode);
    canvas->setShapeVisible(Canvas::Shape::Attack, !m_bodyBoxMode);
    for (const Canvas::Shape shape : {Canvas::Shape::Body, Canvas::Shape::Attack}) {
        QRectF rect = canvas->shapeRect(shape);
        rect.moveTopLeft(at);
        canvas->setShapeRect(shape, rect);
    }
}

void Form1::onCanvasMoved(QPoint at, Qt::MouseButtons buttons)
{
    Canvas* canvas = m_ui.PicEdit;
    if (buttons & Qt::LeftButton) {
        // Measured from the body outline: after a press both share the pressed corner.
        const QRectF corner = canvas->shapeRect(Canvas::Shape::Body);
        const auto width = model::toInt16(at.x() - corner.left());
        const auto height = model::toInt16(at.y() - corner.top());
        QRectF rect = canvas->shapeRect(activeShape());
        if (width && *width > 0)
            rect.setWidth(*width);
        if (height && *height > 0)
            rect.setHeight(*height);
        canvas->setShapeRect(activeShape(), rect);
    }
    m_ui.panel2->setText(QStringLiteral("%1,%2").arg(at.x() - m_anchor.x()).arg(m_anchor.y() - at.y()));
}

void Form1::onCanvasReleased(QPoint, Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        const QRectF rect = m_ui.PicEdit->shapeRect(activeShape());
        const QRect box(rounded(rect.left() - m_spritePosition.x()), rounded(rect.top() - m_spritePosition.y()),
                        rounded(rect.width()), rounded(rect.height()));
        m_ui.Text5->setText(m_bodyBoxMode ? bodyBoxLine(box) : attackBoxLine(box));
    }
    setFrameLine(m_ui.Text5->text());
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_ui.Text3 || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    qint32 dx = 0;
    qint32 dy = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    default: break;
    }
    // Every key writes the frame's offset line, also one that moves nothing.
    shiftFrameOffset(dx, dy);
    return dx != 0 || dy != 0;
}

} // namespace classic
