// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolgrid.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QMutex>
#include <QPainter>
#include <QSaveFile>
#include <QStyleOptionToolButton>
#include <QThread>
#include <QToolTip>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "accessiblepart.h"
#include "faces.h"
#include "ipasymbols.h"

namespace korv {
namespace {

// One baseline for every glyph, so that symbols side by side line up as text does.
constexpr int kGlyphPixelSize = 15;
constexpr qreal kGlyphBaseline = 13.0;
// Stress, length and aspiration marks are small by nature; they get a larger face.
constexpr int kMarkPixelSize = 19;
const QColor kGlyphColour(0x1a, 0x1a, 0x1a);

bool isMark(const QString& text) {
    return text.size() == 1 && text.at(0).unicode() >= 0x02B0 && text.at(0).unicode() <= 0x02FF;
}

QFont glyphFont(const QString& text) {
    // Looked up once: every cell of every chart asks.
    static const QStringList face =
        installedFace({QStringLiteral("Charis SIL"), QStringLiteral("DejaVu Serif")}).families();
    QFont font;
    font.setFamilies(face);
    font.setPixelSize(isMark(text) ? kMarkPixelSize : kGlyphPixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QSize glyphBoxOf(const SymbolGrid::Cell& cell) {
    if (!cell.glyphBox.isEmpty()) {
        return cell.glyphBox;
    }
    const GlyphSize size = glyphSizeForButton(cell.rect.width());
    return {size.width, size.height};
}

} // namespace

namespace {

// A character alone is what most cells hold. The face's metrics for it are what laying it out
// would give, without the shaping, which was most of the cost of a cell's picture.
bool isLoneCharacter(const QString& text) {
    return text.size() == 1 && !text.at(0).isSurrogate() && !isCombiningMark(text.at(0).unicode());
}

} // namespace

QRectF glyphInk(const QString& text, const QFont& font) {
    // The face's bounds hold for letters alone, and cost nothing to ask: the chart drawn at
    // start has few marks.
    bool marks = false;
    for (const char32_t cp : text.toUcs4()) {
        marks = marks || isCombiningMark(cp);
    }
    if (!marks) {
        if (!isLoneCharacter(text)) {
            return QFontMetricsF(font).tightBoundingRect(text);
        }
        // As laid-out text is measured: from the pen's origin at least to the baseline and the
        // advance's start, wherever the ink lies.
        const QRectF glyph = QFontMetricsF(font).boundingRect(text.at(0));
        return QRectF(QPointF(glyph.left(), glyph.top()),
                      QPointF(std::max(0.0, glyph.right()), std::max(0.0, glyph.bottom())));
    }
    static QMutex mutex;
    static QHash<QString, QRectF> measured;
    const QString key = font.key() + QLatin1Char('\x1f') + text;
    {
        const QMutexLocker lock(&mutex);
        const auto it = measured.constFind(key);
        if (it != measured.constEnd()) {
            return *it;
        }
    }
    // Room for marks far above, below and to either side of the letters.
    const QFontMetricsF metrics(font);
    const int em = std::max(8, font.pixelSize() > 0 ? font.pixelSize() : 16);
    const QPoint origin(2 * em, 3 * em);
    QImage scratch(static_cast<int>(metrics.horizontalAdvance(text)) + 4 * em, 5 * em,
                   QImage::Format_Alpha8);
    scratch.fill(0);
    {
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(origin, text);
    }
    int left = scratch.width();
    int right = -1;
    int top = scratch.height();
    int bottom = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const uchar* row = scratch.constScanLine(y);
        for (int x = 0; x < scratch.width(); ++x) {
            if (row[x] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    const QRectF ink =
        right < 0 ? QRectF()
                  : QRectF(left - origin.x(), top - origin.y(), right - left + 1, bottom - top + 1);
    const QMutexLocker lock(&mutex);
    measured.insert(key, ink);
    return ink;
}

qreal glyphAdvance(const QString& text, const QFont& font) {
    return isLoneCharacter(text) ? QFontMetricsF(font).horizontalAdvance(text.at(0))
                                 : QFontMetricsF(font).horizontalAdvance(text);
}

QImage renderGlyph(const QString& text, QSize box, qreal devicePixelRatio) {
    // The format a transparent pixmap holds, so that either way the picture is the same.
    QImage image(box * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = glyphFont(text);
    // The ink, not the face's line box, must fit: a tie bar high above two letters, a contour
    // of tone letters. One that does not is drawn smaller.
    QRectF ink = glyphInk(text, font);
    const qreal roomWidth = box.width() - 2.0;
    const qreal roomHeight = box.height() - 2.0;
    // Letters alone keep the face's size: each other size is a font engine of its own, which the
    // chart drawn at start would pay for before its first picture.
    bool marks = false;
    for (const char32_t cp : text.toUcs4()) {
        marks = marks || isCombiningMark(cp);
    }
    if (marks && (ink.width() > roomWidth || ink.height() > roomHeight)) {
        const qreal shrink = std::min(roomWidth / std::max<qreal>(1.0, ink.width()),
                                      roomHeight / std::max<qreal>(1.0, ink.height()));
        font.setPixelSize(std::max(6, static_cast<int>(font.pixelSize() * shrink)));
        ink = glyphInk(text, font);
    }
    painter.setFont(font);
    painter.setPen(kGlyphColour);
    const qreal advance = glyphAdvance(text, font);
    qreal x = (box.width() - advance) / 2.0;
    // A mark that hangs beyond its advance is centred by its ink.
    if (x + ink.left() < 1.0 || x + ink.right() > box.width() - 1.0) {
        x = box.width() / 2.0 - ink.center().x();
    }
    // Keep the ink inside the box: raised marks (such as the aspiration h) come down.
    ink.translate(0, kGlyphBaseline);
    qreal baseline = kGlyphBaseline;
    if (ink.top() < 1.0) {
        baseline += 1.0 - ink.top();
    } else if (ink.bottom() > box.height() - 1.0) {
        baseline -= ink.bottom() - (box.height() - 1.0);
    }
    painter.drawText(QPointF(x, baseline), text);
    painter.end();
    return image;
}

// The pictures of some grids' cells, drawn on a thread of their own. The first paint never
// waits for it: a picture the thread has not finished, the paint draws itself.
struct SymbolGrid::GlyphJob {
    // Each picture's state, changed only by whoever claims it.
    enum State : int { Free, Drawing, Drawn, Taken };
    struct Slot {
        QList<QString> texts;
        QList<QSize> boxes;
        std::vector<QImage> images;
        std::vector<std::atomic<int>> states;
    };
    std::vector<Slot> parts;
    qreal ratio = 1.0;
    std::unique_ptr<QThread> thread;
    bool fromKept = false; // the pictures came from the file

    GlyphJob() = default;
    GlyphJob(const GlyphJob&) = delete;
    GlyphJob& operator=(const GlyphJob&) = delete;
    ~GlyphJob() {
        // What the thread has not begun, it leaves.
        for (Slot& slot : parts) {
            for (std::atomic<int>& state : slot.states) {
                int free = Free;
                state.compare_exchange_strong(free, Taken);
            }
        }
        if (thread) {
            thread->wait();
        }
    }

    // What the kept pictures were drawn for: any difference, even of Qt's version, and they are
    // drawn afresh.
    QByteArray signature() const {
        // Fonts installed or removed change which face draws a symbol.
        const QByteArray families =
            QCryptographicHash::hash(QFontDatabase::families().join(QLatin1Char('\n')).toUtf8(),
                                     QCryptographicHash::Sha1)
                .toHex();
        QByteArray text = "korvani cell pictures 2\n" + QByteArray(qVersion()) + ' ' +
                          QByteArray::number(ratio) + ' ' + families + '\n';
        for (const Slot& slot : parts) {
            text += QByteArray::number(slot.texts.size()) + '\n';
            for (qsizetype i = 0; i < slot.texts.size(); ++i) {
                text += slot.texts.at(i).toUtf8() + ' ' +
                        QByteArray::number(slot.boxes.at(i).width()) + 'x' +
                        QByteArray::number(slot.boxes.at(i).height()) + '\n';
            }
        }
        return text;
    }

    QSize imageSize(const Slot& slot, qsizetype i) const {
        return (QSizeF(slot.boxes.at(i)) * ratio).toSize();
    }

    // Fills the pictures from the file if it holds exactly these; otherwise leaves them empty.
    bool readKept(const QString& path) {
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            return false;
        }
        QDataStream in(&file);
        QByteArray stored;
        in >> stored;
        if (in.status() != QDataStream::Ok || stored != signature()) {
            return false;
        }
        std::vector<std::vector<QImage>> read;
        for (const Slot& slot : parts) {
            std::vector<QImage>& images = read.emplace_back();
            for (qsizetype i = 0; i < slot.texts.size(); ++i) {
                quint32 width = 0;
                quint32 height = 0;
                in >> width >> height;
                const QSize size = imageSize(slot, i);
                if (in.status() != QDataStream::Ok ||
                    QSize(static_cast<int>(width), static_cast<int>(height)) != size) {
                    return false;
                }
                QImage image(size, QImage::Format_ARGB32_Premultiplied);
                const auto bytes = static_cast<int>(image.sizeInBytes());
                if (in.readRawData(reinterpret_cast<char*>(image.bits()), bytes) != bytes) {
                    return false;
                }
                image.setDevicePixelRatio(ratio);
                images.push_back(std::move(image));
            }
        }
        if (!in.atEnd()) {
            return false;
        }
        for (std::size_t part = 0; part < parts.size(); ++part) {
            parts[part].images = std::move(read[part]);
        }
        return true;
    }

    void writeKept(const QString& path) const {
        if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) {
            return;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return;
        }
        QDataStream out(&file);
        out << signature();
        for (const Slot& slot : parts) {
            for (const QImage& image : slot.images) {
                out << static_cast<quint32>(image.width()) << static_cast<quint32>(image.height());
                out.writeRawData(reinterpret_cast<const char*>(image.constBits()),
                                 static_cast<int>(image.sizeInBytes()));
            }
        }
        file.commit();
    }

    void draw() {
        for (Slot& slot : parts) {
            for (std::size_t i = 0; i < slot.images.size(); ++i) {
                int free = Free;
                if (slot.states[i].compare_exchange_strong(free, Drawing)) {
                    slot.images[i] = renderGlyph(slot.texts.at(static_cast<qsizetype>(i)),
                                                 slot.boxes.at(static_cast<qsizetype>(i)), ratio);
                    slot.states[i].store(Drawn, std::memory_order_release);
                }
            }
        }
    }
};

std::shared_ptr<SymbolGrid::GlyphJob> SymbolGrid::jobFor(const QList<SymbolGrid*>& grids,
                                                         qreal ratio) {
    auto job = std::make_shared<GlyphJob>();
    job->ratio = ratio;
    job->parts.reserve(static_cast<std::size_t>(grids.size()));
    for (const SymbolGrid* grid : grids) {
        GlyphJob::Slot& slot = job->parts.emplace_back();
        for (const Cell& cell : grid->m_cells) {
            slot.texts.append(cell.glyph);
            slot.boxes.append(glyphBoxOf(cell));
        }
        slot.images.resize(static_cast<std::size_t>(slot.texts.size()));
        slot.states = std::vector<std::atomic<int>>(slot.images.size());
    }
    return job;
}

void SymbolGrid::drawGlyphsAhead(const QList<SymbolGrid*>& grids, qreal devicePixelRatio,
                                 const QString& keptPictures) {
    std::shared_ptr<GlyphJob> job = jobFor(grids, devicePixelRatio);
    for (qsizetype i = 0; i < grids.size(); ++i) {
        grids.at(i)->m_job = job;
        grids.at(i)->m_jobSlot = static_cast<std::size_t>(i);
    }
    if (job->readKept(keptPictures)) {
        job->fromKept = true;
        for (GlyphJob::Slot& slot : job->parts) {
            for (std::atomic<int>& state : slot.states) {
                state.store(GlyphJob::Drawn);
            }
        }
        return;
    }
    // The job outlives neither the grids nor its thread: each grid holds it, and the last to let
    // go waits for the thread, which by then has at most the picture in hand to finish.
    GlyphJob* work = job.get();
    job->thread.reset(QThread::create([work] { work->draw(); }));
    // Below the X server and the window manager, which map the window meanwhile.
    job->thread->start(QThread::IdlePriority);
}

void SymbolGrid::keepGlyphs(const QList<SymbolGrid*>& grids, const QString& keptPictures) {
    if (grids.isEmpty()) {
        return;
    }
    // Taken from the file, they are in it already.
    const std::shared_ptr<GlyphJob>& ahead = grids.first()->m_job;
    if (ahead && ahead->fromKept) {
        return;
    }
    std::shared_ptr<GlyphJob> job = jobFor(grids, grids.first()->devicePixelRatioF());
    for (qsizetype part = 0; part < grids.size(); ++part) {
        const SymbolGrid* grid = grids.at(part);
        std::vector<QImage>& images = job->parts[static_cast<std::size_t>(part)].images;
        for (std::size_t i = 0; i < images.size(); ++i) {
            const QPixmap& shown = grid->m_glyphs.at(static_cast<qsizetype>(i));
            if (shown.isNull() || !qFuzzyCompare(shown.devicePixelRatio(), job->ratio)) {
                return; // not all drawn yet
            }
            images[i] = shown.toImage();
        }
    }
    job->writeKept(keptPictures);
}

void SymbolGrid::refreshKeptGlyphs(const QList<SymbolGrid*>& grids, const QString& keptPictures) {
    if (grids.isEmpty()) {
        return;
    }
    std::shared_ptr<GlyphJob> fresh = jobFor(grids, grids.first()->devicePixelRatioF());
    fresh->draw();
    std::shared_ptr<GlyphJob> kept = jobFor(grids, fresh->ratio);
    bool same = kept->readKept(keptPictures);
    for (std::size_t part = 0; same && part < kept->parts.size(); ++part) {
        same = kept->parts[part].images == fresh->parts[part].images;
    }
    if (!same) {
        fresh->writeKept(keptPictures);
    }
}

void SymbolGrid::takeGlyphsAhead() const {
    if (!m_job || m_jobTaken) {
        return;
    }
    m_jobTaken = true;
    GlyphJob::Slot& slot = m_job->parts.at(m_jobSlot);
    const bool sameRatio = qFuzzyCompare(m_job->ratio, devicePixelRatioF());
    for (std::size_t i = 0; i < slot.images.size(); ++i) {
        int state = GlyphJob::Free;
        if (slot.states[i].compare_exchange_strong(state, GlyphJob::Taken)) {
            continue; // never begun: the paint draws it
        }
        if (state == GlyphJob::Drawn) {
            if (sameRatio && i < static_cast<std::size_t>(m_glyphs.size())) {
                // Moved, the pixmap takes the picture's pixels rather than a copy of them.
                m_glyphs[static_cast<qsizetype>(i)] = QPixmap::fromImage(std::move(slot.images[i]));
            }
            slot.images[i] = QImage();
            slot.states[i].store(GlyphJob::Taken);
        }
        // Drawing: the thread is at it, and the paint draws its own rather than wait.
    }
}

// One cell as a screen reader sees it: a push button whose press clicks it.
class SymbolCellAccessible final : public AccessiblePart<SymbolGrid> {
public:
    using AccessiblePart::AccessiblePart;

    bool isValid() const override { return grid() != nullptr && cell() < grid()->cells().size(); }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) {
            return {};
        }
        const SymbolGrid::Cell& cell = grid()->cells().at(this->cell());
        return t == QAccessible::Name          ? cell.name
               : t == QAccessible::Description ? cell.description
                                               : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Button; }

    const SymbolGrid* grid() const { return owner(); }
    int cell() const { return index(); }

protected:
    QRect partRect() const override { return grid()->cells().at(cell()).rect; }
    void addPartState(QAccessible::State& state) const override {
        state.pressed = grid()->isDown(cell());
        state.hotTracked = grid()->m_hover == cell();
        state.selected = grid()->current() == cell();
    }
    void press() override { owner()->click(cell()); }
};

// The grid lists its child widgets (such as divider lines), then its cells.
class SymbolGridAccessible final : public QAccessibleWidget {
public:
    explicit SymbolGridAccessible(SymbolGrid* grid)
        : QAccessibleWidget(grid, QAccessible::Border) {}

    int childCount() const override {
        return static_cast<int>(widgets().size() + grid()->cells().size());
    }
    QAccessibleInterface* child(int index) const override {
        const QWidgetList shown = widgets();
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (index < shown.size()) {
            return QAccessible::queryAccessibleInterface(shown.at(index));
        }
        const int cell = index - static_cast<int>(shown.size());
        if (const QAccessible::Id id = grid()->m_accessibleCells.value(cell)) {
            return QAccessible::accessibleInterface(id);
        }
        auto* iface = new SymbolCellAccessible(grid(), cell);
        grid()->m_accessibleCells.insert(cell, QAccessible::registerAccessibleInterface(iface));
        return iface;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        if (child->object() != nullptr) {
            return static_cast<int>(widgets().indexOf(child->object()));
        }
        if (child->role() != QAccessible::Button) {
            return -1;
        }
        const auto* cell = static_cast<const SymbolCellAccessible*>(child);
        return cell->grid() == grid() ? static_cast<int>(widgets().size()) + cell->cell() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const int cell = grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)));
        if (cell >= 0) {
            return child(static_cast<int>(widgets().size()) + cell);
        }
        return QAccessibleWidget::childAt(x, y);
    }

private:
    SymbolGrid* grid() const { return static_cast<SymbolGrid*>(widget()); }
    QWidgetList widgets() const {
        QWidgetList shown;
        for (QWidget* child : grid()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                shown.append(child);
            }
        }
        return shown;
    }
};

namespace {

QAccessibleInterface* gridAccessible(const QString&, QObject* object) {
    auto* grid =
        object != nullptr && object->isWidgetType() ? dynamic_cast<SymbolGrid*>(object) : nullptr;
    return grid != nullptr ? new SymbolGridAccessible(grid) : nullptr;
}

} // namespace

SymbolGrid::SymbolGrid(QWidget* parent)
    : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(gridAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

SymbolGrid::~SymbolGrid() {
    forgetAccessibleCells();
}

void SymbolGrid::forgetAccessibleCells() {
    for (const QAccessible::Id id : std::as_const(m_accessibleCells)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    m_accessibleCells.clear();
}

void SymbolGrid::setCells(QList<Cell> cells) {
    m_cells = std::move(cells);
    m_glyphs = QList<QPixmap>(m_cells.size());
    m_job.reset();
    m_jobTaken = false;
    m_hover = m_pressed = m_current = -1;
    m_pressedInside = false;
    forgetAccessibleCells();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
    updateGeometry();
    update();
}

int SymbolGrid::cellAt(QPoint pos) const {
    for (qsizetype i = 0; i < m_cells.size(); ++i) {
        if (m_cells.at(i).rect.contains(pos)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int SymbolGrid::cellWithPayload(int payload) const {
    for (qsizetype i = 0; i < m_cells.size(); ++i) {
        if (m_cells.at(i).payload == payload) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void SymbolGrid::setShowHint(bool show) {
    m_showHint = show;
    if (!show) {
        QToolTip::hideText();
    }
}

QString SymbolGrid::toolTip(int cell) const {
    if (!m_showHint || cell < 0 || cell >= m_cells.size()) {
        return {};
    }
    const QString& hint = m_cells.at(cell).hint;
    return hint.isEmpty() && hintOf ? hintOf(cell) : hint;
}

void SymbolGrid::setCurrent(int cell) {
    if (cell == m_current) {
        return;
    }
    updateCell(m_current);
    m_current = cell >= 0 && cell < m_cells.size() ? cell : -1;
    updateCell(m_current);
}

void SymbolGrid::click(int cell) {
    if (cell >= 0 && cell < m_cells.size() && clicked) {
        clicked(cell);
    }
}

QSize SymbolGrid::sizeHint() const {
    QRect all;
    for (const Cell& cell : m_cells) {
        all |= cell.rect;
    }
    return all.isNull() ? QSize() : QSize(all.right() + 1, all.bottom() + 1);
}

void SymbolGrid::updateCell(int cell) {
    if (cell >= 0 && cell < m_cells.size()) {
        update(m_cells.at(cell).rect);
    }
}

void SymbolGrid::setHover(int cell) {
    if (cell == m_hover) {
        return;
    }
    updateCell(m_hover);
    m_hover = cell;
    updateCell(m_hover);
    if (m_cellCursor) {
        if (cell >= 0) {
            setCursor(*m_cellCursor);
        } else {
            unsetCursor();
        }
    }
}

bool SymbolGrid::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) {
            child->installEventFilter(this);
        }
        break;
    case QEvent::ChildRemoved:
        static_cast<QChildEvent*>(event)->child()->removeEventFilter(this);
        break;
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        setHover(cellAt(static_cast<QHoverEvent*>(event)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
    case QEvent::Hide:
        setHover(-1);
        m_pressed = -1;
        m_pressedInside = false;
        break;
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        const int cell = cellAt(help->pos());
        const QString text = toolTip(cell);
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this, m_cells.at(cell).rect);
        }
        return true;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void SymbolGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    paintCells(painter, event->region());
}

bool SymbolGrid::eventFilter(QObject* watched, QEvent* event) {
    auto* child = static_cast<QWidget*>(watched);
    // Windows (a context menu, say) are no part of the grid's picture.
    if (event->type() != QEvent::Paint || m_paintingChild == child || child->isWindow()) {
        return QWidget::eventFilter(watched, event);
    }
    // The child draws itself first, then the cells it overlaps go over it.
    m_paintingChild = child;
    QCoreApplication::sendEvent(child, event);
    m_paintingChild = nullptr;
    QPainter painter(child);
    painter.translate(-child->pos());
    const QRegion region = static_cast<QPaintEvent*>(event)->region().translated(child->pos());
    painter.setClipRegion(region);
    paintCells(painter, region);
    return true;
}

void SymbolGrid::paintCells(QPainter& painter, const QRegion& region) const {
    takeGlyphsAhead();
    const qreal ratio = devicePixelRatioF();
    for (qsizetype i = 0; i < m_cells.size(); ++i) {
        const Cell& cell = m_cells.at(i);
        if (!region.intersects(cell.rect)) {
            continue;
        }
        const int index = static_cast<int>(i);
        const bool down = isDown(index);
        // As an auto-raised tool button without text or icon draws itself.
        QStyleOptionToolButton option;
        option.initFrom(this);
        option.rect = cell.rect;
        option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
        if (index == m_hover || index == m_current) {
            option.state |= QStyle::State_MouseOver;
        }
        option.state |=
            QStyle::State_AutoRaise | (down ? QStyle::State_Sunken : QStyle::State_Raised);
        option.subControls = QStyle::SC_ToolButton;
        option.activeSubControls = down ? QStyle::SC_ToolButton : QStyle::SC_None;
        option.toolButtonStyle = Qt::ToolButtonIconOnly;
        option.font = font();
        style()->drawComplexControl(QStyle::CC_ToolButton, &option, &painter, this);

        QPixmap& glyph = m_glyphs[i];
        if (glyph.isNull() || !qFuzzyCompare(glyph.devicePixelRatio(), ratio)) {
            glyph = QPixmap::fromImage(renderGlyph(cell.glyph, glyphBoxOf(cell), ratio));
        }
        const QSize box = glyph.deviceIndependentSize().toSize();
        int x = cell.rect.x() + (cell.rect.width() - box.width()) / 2;
        int y = cell.align == GlyphAlign::Top
                    ? cell.rect.y() + cell.margin
                    : cell.rect.y() + cell.rect.height() - box.height() - cell.margin;
        if (down) {
            ++x;
            ++y;
        }
        painter.drawPixmap(x, y, glyph);
    }
}

void SymbolGrid::mousePressEvent(QMouseEvent* event) {
    const int cell = cellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || cell < 0) {
        event->ignore();
        return;
    }
    m_pressed = cell;
    m_pressedInside = true;
    updateCell(cell);
}

void SymbolGrid::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed < 0 || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    const bool inside = m_cells.at(m_pressed).rect.contains(event->position().toPoint());
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        updateCell(m_pressed);
    }
}

void SymbolGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pressed < 0) {
        event->ignore();
        return;
    }
    const int cell = m_pressed;
    const bool inside = m_cells.at(cell).rect.contains(event->position().toPoint());
    m_pressed = -1;
    m_pressedInside = false;
    updateCell(cell);
    if (inside) {
        click(cell);
    }
}

void SymbolGrid::leaveEvent(QEvent* event) {
    setHover(-1);
    QWidget::leaveEvent(event);
}

void SymbolGrid::contextMenuEvent(QContextMenuEvent* event) {
    const int cell = cellAt(event->pos());
    if (cell < 0 || !contextMenuRequested) {
        event->ignore();
        return;
    }
    contextMenuRequested(cell, event->globalPos());
}

} // namespace korv
