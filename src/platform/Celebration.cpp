#include "platform/Celebration.h"

#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <cmath>
#include <numbers>

namespace platform {

namespace {
using detail::paintTick;
using detail::scaleOf;

constexpr int kStars = 10;
constexpr int kFrameMs = 30;

QPolygonF starOutline(qreal outer)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? outer * 0.45 : outer;
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(r * std::cos(a), r * std::sin(a));
    }
    return star;
}

qreal easeOut(qreal t)
{
    return 1 - (1 - t) * (1 - t);
}

// Grows past its size a little, then settles: a tick that pops up.
qreal popIn(qreal t)
{
    const qreal c = 1.7, u = t - 1;
    return 1 + (c + 1) * u * u * u + c * u * u;
}

class CheerWidget : public QWidget
{
public:
    explicit CheerWidget(QWidget *surface) : QWidget(surface)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
        m_timer.setInterval(kFrameMs);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        surface->installEventFilter(this);
    }

    void start(const QRect &place, const QPixmap &snapshot)
    {
        m_place = place;
        m_snapshot = snapshot;
        setGeometry(parentWidget()->rect());
        raise();
        show();
        m_clock.start();
        m_timer.start();
        update(reach());
    }

    void stop()
    {
        if (!m_timer.isActive() && isHidden())
            return;
        m_timer.stop();
        update(reach());
        hide();
        m_snapshot = {};
        m_place = {};
    }

    bool running() const { return m_timer.isActive(); }
    QRect place() const { return m_place; }
    bool keepsInSight() const { return !m_snapshot.isNull(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A cheer belongs to where things stood; a new size moves them.
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            stop();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent *) override
    {
        if (!running())
            return;
        const qreal t = qBound(0.0, m_clock.elapsed() / qreal(Celebration::kDurationMs), 1.0);
        const qreal fade = t < 0.75 ? 1.0 : 1.0 - (t - 0.75) / 0.25;
        const qreal s = scaleOf(this);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (!m_snapshot.isNull()) {
            p.setOpacity(fade);
            p.drawPixmap(m_place, m_snapshot);
        }
        const QPointF centre = QRectF(m_place).center();
        const qreal small = qMin(m_place.width(), m_place.height());
        // Stars fly outwards, turning, from inside the place to beyond its corners.
        const qreal starSize = qBound(12 * s, small * 0.14, 56 * s);
        const qreal from = small * 0.2, to = std::hypot(m_place.width(), m_place.height()) / 2 + starSize;
        const QPolygonF star = starOutline(starSize);
        p.setOpacity(fade);
        p.setPen(QPen(QColor(100, 60, 0), qMax(1.5, 2 * s), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(255, 204, 40));
        for (int i = 0; i < kStars; ++i) {
            const qreal angle = (i * 2 * std::numbers::pi) / kStars - std::numbers::pi / 2;
            const qreal distance = from + (to - from) * easeOut(t);
            p.save();
            p.translate(centre + QPointF(std::cos(angle), std::sin(angle)) * distance);
            p.rotate(t * 200 + i * 17);
            p.drawPolygon(star);
            p.restore();
        }
        // The tick pops up in the middle.
        const qreal radius = qBound(18 * s, small * 0.3, 110 * s) * popIn(qMin(1.0, t / 0.25));
        paintTick(p, centre, radius);
    }

private:
    // Everything a cheer draws lies within this.
    QRect reach() const
    {
        const int spread = int(std::hypot(m_place.width(), m_place.height()) / 2 + 120 * scaleOf(this));
        return QRect(m_place.center(), QSize()).adjusted(-spread, -spread, spread, spread).united(m_place);
    }

    void tick()
    {
        if (m_clock.elapsed() >= Celebration::kDurationMs)
            stop();
        else
            update(reach());
    }

    QRect m_place;
    QPixmap m_snapshot;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace

Celebration::Celebration(Form *form, const QString &name, QWidget *surface) : Control(form, name, -1)
{
    setWidget(new CheerWidget(surface));
    m_visible = false; // as a control it is never shown: it shows itself while it cheers
}

Celebration::~Celebration()
{
    stop();
}

void Celebration::start(const QRectF &placeTwips, bool keepInSight)
{
    if (!m_widget || !m_widget->parentWidget())
        return;
    const QRect place = twipsToPixels(placeTwips).intersected(m_widget->parentWidget()->rect());
    if (place.isEmpty())
        return;
    stop();
    // What the place shows now, before the game changes it.
    const QPixmap snapshot = keepInSight ? m_widget->parentWidget()->grab(place) : QPixmap();
    widgetAs<CheerWidget>()->start(place, snapshot);
}

void Celebration::stop()
{
    if (m_widget)
        widgetAs<CheerWidget>()->stop();
}

bool Celebration::running() const
{
    return m_widget && widgetAs<CheerWidget>()->running();
}

QRectF Celebration::place() const
{
    if (!running())
        return {};
    const QRect r = widgetAs<CheerWidget>()->place();
    return QRectF(pixelsToTwips(r.x()), pixelsToTwips(r.y()), pixelsToTwips(r.width()), pixelsToTwips(r.height()));
}

bool Celebration::keepsInSight() const
{
    return running() && widgetAs<CheerWidget>()->keepsInSight();
}

} // namespace platform
