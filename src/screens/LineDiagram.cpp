#include "screens/LineDiagram.hpp"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <deque>

#include "data/stations.hpp"
#include "explain/enquiry_words.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

namespace {

// The drawing's own coordinates; the widget scales them to its size.
constexpr double kWidth = 1000;
constexpr double kHeight = 560;

// A line drawn as a polyline with its stations spread evenly along it.
struct Run {
    std::vector<int> stations;
    std::vector<QPointF> corners;
    bool labelsBelow = false;
};

std::vector<int> span(int first, int last) {
    std::vector<int> out;
    for (int i = first; first <= last ? i <= last : i >= last; i += first <= last ? 1 : -1) out.push_back(i);
    return out;
}

std::vector<int> joined(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// 岡山 (0) … 児島 (11); 高松 (12) … 坂出 (20); 宇多津 (21) … 向井原 (73);
// the inland line 伊予大平 (74) … 新谷 (80) and the coast 高野川 (81) … 五郎
// (91), both from 向井原 to 伊予大洲 (92); 伊予大洲 … 宇和島 (106).
const std::vector<Run>& runs() {
    static const std::vector<Run> all = {
        {span(0, 11), {{560, 40}, {560, 200}}},
        {span(20, 12), {{640, 300}, {960, 300}}},
        {span(21, 73), {{480, 300}, {40, 300}, {40, 440}, {250, 440}}},
        {joined(span(73, 80), {92}), {{250, 440}, {300, 395}, {520, 395}, {570, 440}}},
        {joined(joined({73}, span(81, 91)), {92}), {{250, 440}, {300, 505}, {520, 505}, {570, 440}}, true},
        {span(92, 106), {{570, 440}, {960, 440}}},
    };
    return all;
}

// The links between runs: over the bridge from 児島 to 宇多津 and (the Marine
// Liner's) to 坂出, and 坂出–宇多津.
constexpr std::array<std::pair<int, int>, 3> kLinks{{{11, 21}, {11, 20}, {20, 21}}};

double length(const std::vector<QPointF>& corners) {
    double total = 0;
    for (std::size_t i = 1; i < corners.size(); ++i) total += QLineF(corners[i - 1], corners[i]).length();
    return total;
}

QPointF pointAt(const std::vector<QPointF>& corners, double at) {
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const QLineF leg(corners[i - 1], corners[i]);
        if (at <= leg.length() || i + 1 == corners.size()) return leg.pointAt(std::min(1.0, at / leg.length()));
        at -= leg.length();
    }
    return corners.back();
}

// The polyline of a run between two distances along it.
QPolygonF between(const std::vector<QPointF>& corners, double from, double to) {
    if (from > to) std::swap(from, to);
    QPolygonF out{pointAt(corners, from)};
    double at = 0;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        at += QLineF(corners[i - 1], corners[i]).length();
        if (at > from && at < to) out << corners[i];
    }
    return out << pointAt(corners, to);
}

// Where each station lies: its run and its distance along it (the first run
// that holds it places it).
struct Place {
    int run = -1;
    double at = 0;
    QPointF point;
    bool horizontal = true;
};

const std::array<Place, mkd::kAllStations>& places() {
    static const auto all = [] {
        std::array<Place, mkd::kAllStations> out{};
        for (std::size_t r = 0; r < runs().size(); ++r) {
            const Run& run = runs()[r];
            const double step = length(run.corners) / double(run.stations.size() - 1);
            for (std::size_t k = 0; k < run.stations.size(); ++k) {
                Place& p = out[static_cast<std::size_t>(run.stations[k])];
                if (p.run >= 0) continue;
                p.run = static_cast<int>(r);
                p.at = step * double(k);
                p.point = pointAt(run.corners, p.at);
                const QPointF ahead = pointAt(run.corners, std::min(p.at + 1, length(run.corners)));
                const QPointF behind = pointAt(run.corners, std::max(p.at - 1, 0.0));
                p.horizontal = std::abs(ahead.x() - behind.x()) >= std::abs(ahead.y() - behind.y());
            }
        }
        return out;
    }();
    return all;
}

std::vector<std::vector<int>> neighbours() {
    std::vector<std::vector<int>> out(mkd::kAllStations);
    const auto link = [&out](int a, int b) {
        out[static_cast<std::size_t>(a)].push_back(b);
        out[static_cast<std::size_t>(b)].push_back(a);
    };
    for (const Run& run : runs())
        for (std::size_t k = 1; k < run.stations.size(); ++k) link(run.stations[k - 1], run.stations[k]);
    for (const auto& [a, b] : kLinks) link(a, b);
    return out;
}

// The line between two neighbouring stations, along their run where they
// share one.
QPolygonF leg(int a, int b) {
    const auto& p = places();
    for (const Run& run : runs()) {
        for (std::size_t k = 1; k < run.stations.size(); ++k) {
            const int x = run.stations[k - 1], y = run.stations[k];
            if ((x == a && y == b) || (x == b && y == a)) {
                const double step = length(run.corners) / double(run.stations.size() - 1);
                return between(run.corners, step * double(k - 1), step * double(k));
            }
        }
    }
    return QPolygonF{p[static_cast<std::size_t>(a)].point, p[static_cast<std::size_t>(b)].point};
}

bool isExpressStop(int station) {
    return mkd::findStation(mkd::StationList::Express, mkd::stationName(mkd::StationList::All, station)).has_value();
}

// Stations named on the diagram besides the journey's ends: the express
// stops and the junctions.
bool named(int station) {
    return isExpressStop(station) || station == 7 || station == 73 || station == 77 || station == 80;
}

// The key and the distance in the top left corner: no name goes there.
const QRectF kKeyCorner(30, 20, 300, 110);

// The ways a name can stand beside its dot, as an angle and the text's box
// in the turned coordinates (the dot at 0, 0): at 45° above or below a level
// line, leaning right or left; beside a vertical line, right or left.
struct LabelWay {
    double angle;
    bool before;  // the text ends at the dot rather than starts there
    bool below;
};
constexpr LabelWay kAbove[] = {{-45, false, false}, {45, true, false}, {45, false, true}, {-45, true, true}};
constexpr LabelWay kBelow[] = {{45, false, true}, {-45, true, true}, {-45, false, false}, {45, true, false}};
constexpr LabelWay kBeside[] = {{0, false, false}, {0, true, false}, {-45, false, false}, {45, false, true}};

QRectF labelBox(const LabelWay& way, double width, double height) {
    constexpr double gap = 9;
    if (way.angle == 0) return {way.before ? -gap - width : gap, -height / 2, width, height};
    return {way.before ? -gap - width : gap, way.below ? gap : -gap - height, width, height};
}

}  // namespace

std::vector<LineDiagram::Label> LineDiagram::labels() const {
    const bool journeyShown = mkd::isValidIndex(mkd::StationList::All, journey_.departure) &&
                              mkd::isValidIndex(mkd::StationList::All, journey_.arrival);
    std::vector<int> order;
    if (journeyShown) order = {journey_.departure, journey_.arrival};
    if (std::find(order.begin(), order.end(), marked_) == order.end()) order.push_back(marked_);
    for (int s = 0; s < mkd::kAllStations; ++s)
        if (named(s) && std::find(order.begin(), order.end(), s) == order.end()) order.push_back(s);
    const QRectF drawing(0, 0, kWidth, kHeight);
    std::vector<Label> out;
    std::vector<QPolygonF> taken{QPolygonF(kKeyCorner)};
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int s = order[i];
        const bool end = journeyShown && i < 2;
        Label label{s, toQt(mkd::stationWords(mkd::StationList::All, s, lang_)), end, {}, {}, 0};
        QFont f = labelFont();
        f.setBold(end);
        const QFontMetricsF metrics(f);
        const double width = metrics.horizontalAdvance(label.name), height = metrics.height();
        const Place& place = places()[static_cast<std::size_t>(s)];
        const LabelWay* ways = !place.horizontal                                         ? kBeside
                               : runs()[static_cast<std::size_t>(place.run)].labelsBelow ? kBelow
                                                                                         : kAbove;
        bool placed = false;
        for (int w = 0; w < 4 && !placed; ++w) {
            QTransform turn;
            turn.translate(place.point.x(), place.point.y());
            turn.rotate(ways[w].angle);
            const QRectF box = labelBox(ways[w], width, height);
            const QPolygonF shape = turn.map(QPolygonF(box));
            if (!drawing.contains(shape.boundingRect())) continue;
            if (std::any_of(taken.begin(), taken.end(), [&](const QPolygonF& t) { return t.intersects(shape); }))
                continue;
            label.shape = shape;
            label.box = box;
            label.angle = ways[w].angle;
            placed = true;
        }
        // A name with no free place is left out (its dot names it as a tool
        // tip); the journey's ends always find one, as they come first.
        if (!placed) continue;
        taken.push_back(label.shape);
        out.push_back(label);
    }
    return out;
}

QFont LineDiagram::labelFont() const {
    QFont font = this->font();
    font.setPixelSize(13);
    return font;
}

LineDiagram::LineDiagram(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picRosen"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setMouseTracking(false);
    describe();
}

std::vector<int> LineDiagram::route(int from, int to) {
    if (!mkd::isValidIndex(mkd::StationList::All, from) || !mkd::isValidIndex(mkd::StationList::All, to)) return {};
    static const auto links = neighbours();
    std::vector<int> before(mkd::kAllStations, -1);
    std::deque<int> queue{from};
    before[static_cast<std::size_t>(from)] = from;
    while (!queue.empty()) {
        const int s = queue.front();
        queue.pop_front();
        if (s == to) break;
        for (int n : links[static_cast<std::size_t>(s)]) {
            if (before[static_cast<std::size_t>(n)] >= 0) continue;
            before[static_cast<std::size_t>(n)] = s;
            queue.push_back(n);
        }
    }
    std::vector<int> path{to};
    while (path.back() != from) path.push_back(before[static_cast<std::size_t>(path.back())]);
    return {path.rbegin(), path.rend()};
}

void LineDiagram::showJourney(const Journey& journey, mkd::Lang lang) {
    journey_ = journey;
    lang_ = lang;
    describe();
    update();
}

void LineDiagram::markStation(int station) {
    if (!mkd::isValidIndex(mkd::StationList::All, station)) return;
    marked_ = station;
    describe();
    update();
}

void LineDiagram::describe() {
    const QString station = toQt(mkd::stationWords(mkd::StationList::All, marked_, lang_));
    setAccessibleName(tr("路線図"));
    setAccessibleDescription(tr("%1。矢印キーで駅を選び、Enter で乗車駅、Shift+Enter で降車駅にします。").arg(station));
    setToolTip(tr("クリックで乗車駅、Shift+クリックで降車駅にします。"));
}

QSize LineDiagram::sizeHint() const { return {700, heightForWidth(700)}; }
QSize LineDiagram::minimumSizeHint() const { return {360, heightForWidth(360)}; }
int LineDiagram::heightForWidth(int width) const { return static_cast<int>(std::ceil(width * kHeight / kWidth)); }

double LineDiagram::unit() const { return std::min(width() / kWidth, height() / kHeight); }

QPointF LineDiagram::origin() const { return {(width() - kWidth * unit()) / 2, (height() - kHeight * unit()) / 2}; }

QPointF LineDiagram::stationPoint(int station) const {
    if (!mkd::isValidIndex(mkd::StationList::All, station)) return {};
    return origin() + places()[static_cast<std::size_t>(station)].point * unit();
}

int LineDiagram::stationAt(QPointF point) const {
    int best = -1;
    double nearest = 14 * std::max(unit(), 0.5);
    for (int s = 0; s < mkd::kAllStations; ++s) {
        const double d = QLineF(point, stationPoint(s)).length();
        if (d < nearest) {
            nearest = d;
            best = s;
        }
    }
    return best;
}

void LineDiagram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    p.translate(origin());
    const double u = unit();
    p.scale(u, u);

    const QColor line = palette().color(QPalette::Text);
    const QColor express(0xe0, 0x7b, 0x00);
    const QColor marine(0x1e, 0x6f, 0xd9);
    const QColor journey(0xc6, 0x28, 0x28);
    const auto pen = [](QColor c, double w, Qt::PenStyle style = Qt::SolidLine) {
        QPen out(c, w, style, Qt::RoundCap, Qt::RoundJoin);
        return out;
    };
    const auto drawRoute = [&](int from, int to) {
        const std::vector<int> stations = route(from, to);
        for (std::size_t k = 1; k < stations.size(); ++k) p.drawPolyline(leg(stations[k - 1], stations[k]));
    };

    // Under the lines: the express and Marine sections, wide and pale.
    if (journey_.express) {
        QColor c = express;
        c.setAlpha(110);
        p.setPen(pen(c, 16));
        drawRoute(journey_.express->from, journey_.express->to);
    }
    if (journey_.marine) {
        QColor c = marine;
        c.setAlpha(110);
        p.setPen(pen(c, 10));
        drawRoute(journey_.marine->from, journey_.marine->to);
    }
    QColor grey = line;
    grey.setAlpha(150);
    p.setPen(pen(grey, 3));
    for (const Run& run : runs()) p.drawPolyline(QPolygonF(run.corners.begin(), run.corners.end()));
    p.drawPolyline(leg(11, 21));
    p.drawPolyline(leg(20, 21));
    p.setPen(pen(grey, 3, Qt::DashLine));
    p.drawPolyline(leg(11, 20));

    const bool journeyShown = mkd::isValidIndex(mkd::StationList::All, journey_.departure) &&
                              mkd::isValidIndex(mkd::StationList::All, journey_.arrival);
    if (journeyShown) {
        p.setPen(pen(journey, 5));
        drawRoute(journey_.departure, journey_.arrival);
    }

    const QFont font = labelFont();
    p.setFont(font);
    for (int s = 0; s < mkd::kAllStations; ++s) {
        const Place& place = places()[static_cast<std::size_t>(s)];
        const bool end = journeyShown && (s == journey_.departure || s == journey_.arrival);
        const double r = end ? 7 : isExpressStop(s) ? 5 : 3;
        p.setPen(pen(line, end ? 2 : 1.2));
        p.setBrush(end ? QBrush(journey) : isExpressStop(s) ? palette().base() : QBrush(line));
        p.drawEllipse(place.point, r, r);
        if (s == marked_ && hasFocus()) {
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(palette().color(QPalette::Highlight), 2.5));
            p.drawEllipse(place.point, r + 5, r + 5);
        }
    }
    // The names, each where it overlaps no other (see labels()).
    p.setPen(line);
    for (const Label& label : labels()) {
        QFont f = font;
        f.setBold(label.end);
        p.setFont(f);
        p.save();
        p.translate(places()[static_cast<std::size_t>(label.station)].point);
        p.rotate(label.angle);
        p.drawText(label.box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, label.name);
        p.restore();
    }

    // The key and the distance, in the free corner at the top left.
    p.setFont(font);
    double y = 40;
    const auto key = [&](QColor c, double w, const QString& words) {
        p.setPen(pen(c, w));
        p.drawLine(QPointF(40, y), QPointF(80, y));
        p.setPen(line);
        p.drawText(QPointF(92, y + 5), words);
        y += 26;
    };
    if (journeyShown) key(journey, 5, tr("乗る区間"));
    if (journey_.express) {
        QColor c = express;
        c.setAlpha(110);
        key(c, 16, tr("特急の区間"));
    }
    if (journey_.marine) {
        QColor c = marine;
        c.setAlpha(110);
        key(c, 10, tr("マリンライナーの区間"));
    }
    if (journeyShown) {
        p.setPen(line);
        p.drawText(QPointF(40, y + 5),
                   toQt(mkd::text(mkd::Msg::Distance, lang_, {mkd::numberWords(journey_.distance)})));
    }
}

void LineDiagram::mousePressEvent(QMouseEvent* event) {
    const int station = stationAt(event->position());
    if (station < 0 || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    markStation(station);
    emit stationChosen(station, event->modifiers() & Qt::ShiftModifier);
}

void LineDiagram::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            markStation(std::max(0, marked_ - 1));
            return;
        case Qt::Key_Right:
        case Qt::Key_Down:
            markStation(std::min(mkd::kAllStations - 1, marked_ + 1));
            return;
        case Qt::Key_PageUp:
            markStation(std::max(0, marked_ - 10));
            return;
        case Qt::Key_PageDown:
            markStation(std::min(mkd::kAllStations - 1, marked_ + 10));
            return;
        case Qt::Key_Home:
            markStation(0);
            return;
        case Qt::Key_End:
            markStation(mkd::kAllStations - 1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit stationChosen(marked_, event->modifiers() & Qt::ShiftModifier);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool LineDiagram::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int station = stationAt(help->pos());
        if (station >= 0)
            QToolTip::showText(help->globalPos(), toQt(mkd::stationWords(mkd::StationList::All, station, lang_)), this);
        else
            QToolTip::showText(help->globalPos(), toolTip(), this);
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
    if (event->type() == QEvent::LanguageChange) describe();
    return QWidget::event(event);
}
