// The corridor drawn as a line diagram: 宇野線 and 本四備讃線 from 岡山 over
// the bridge to 宇多津 and 坂出, 予讃線 from 高松 to 松山 and on to 宇和島
// by the inland line through 内子 and by the coast through 伊予長浜, every
// station a dot and every express stop and junction named. The journey, its
// express section and its Marine Liner section are drawn over the lines,
// with the distance. Drawn with QPainter in the widget's own size, so it is
// sharp at any scale.
//
// A station can be chosen: a click takes it as the boarding station, a click
// with Shift as the alighting one; by keyboard the arrow keys walk the
// stations, Enter takes the one marked as the boarding station and
// Shift+Enter as the alighting one.
#pragma once

#include <QPolygonF>
#include <QWidget>
#include <optional>
#include <vector>

#include "words/words.hpp"

class LineDiagram : public QWidget {
    Q_OBJECT
public:
    explicit LineDiagram(QWidget* parent = nullptr);

    // A stretch of the line between two stations (all-station indices).
    struct Span {
        int from = -1;
        int to = -1;
    };
    struct Journey {
        int departure = -1;
        int arrival = -1;
        std::optional<Span> express;  // where the limited express is ridden
        std::optional<Span> marine;  // where the Marine Liner is ridden
        double distance = 0;  // km
    };
    void showJourney(const Journey& journey, mkd::Lang lang);
    const Journey& journey() const { return journey_; }

    // The station the keyboard marks.
    int markedStation() const { return marked_; }
    void markStation(int station);

    // Where a station's dot is drawn, in the widget's coordinates.
    QPointF stationPoint(int station) const;
    // The stations passed from `from` to `to`, both included.
    static std::vector<int> route(int from, int to);

    // A station's name as drawn: in the drawing's own coordinates (1000 ×
    // 560 at any size), the text's box turned by `angle` about the dot, and
    // that box's corners. The journey's ends first; no two overlap, none
    // leaves the drawing, and a name with no free place is left out.
    struct Label {
        int station;
        QString name;
        bool end;
        QRectF box;
        QPolygonF shape;
        double angle;
    };
    std::vector<Label> labels() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void stationChosen(int station, bool asArrival);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    int stationAt(QPointF point) const;
    double unit() const;
    QFont labelFont() const;
    QPointF origin() const;
    void describe();

    Journey journey_;
    mkd::Lang lang_ = mkd::Lang::Japanese;
    int marked_ = 0;
};
