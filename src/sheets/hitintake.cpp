#include "hitintake.h"

#include "model/logging.h"

namespace ankerblick {

namespace {

// A device confirms only what is stored; its hit never stays unstored.
bool fromDevice(HitOrigin origin) {
    return origin == HitOrigin::Target || origin == HitOrigin::Camera;
}

size_t indexOf(HitOrigin origin) {
    return size_t(origin);
}

} // namespace

class HitIntake::Door final : public HitDoor {
public:
    Door(HitIntake& intake, HitOrigin origin) : m_intake(intake), m_origin(origin) {}
    TargetGeometry geometry() const override {
        const TargetFace& face = m_intake.m_sheet.face();
        return {face.centre(), face.scale(), face.discipline(), face.calibreMm()};
    }
    HitReceipt enter(const ArrivedHit& hit) override {
        return m_intake.enterDeviceHit(m_origin, hit);
    }
    QString sourceActive(bool active) override { return m_intake.sourceActive(m_origin, active); }
    QString refusal() const override { return m_intake.refusal(m_origin); }
    QString correct(PointF from, std::optional<PointF> to) override {
        return m_intake.correctHit(from, to);
    }

private:
    HitIntake& m_intake;
    HitOrigin m_origin;
};

HitIntake::HitIntake(TargetSheet& sheet, Site& site) : m_sheet(sheet), m_site(site) {}

HitIntake::~HitIntake() = default;

HitDoor& HitIntake::door(HitOrigin origin) {
    std::unique_ptr<Door>& door = m_doors.at(indexOf(origin));
    if (!door)
        door = std::make_unique<Door>(*this, origin);
    return *door;
}

HitReceipt HitIntake::enterDeviceHit(HitOrigin origin, const ArrivedHit& hit) {
    if (m_delivering && *m_delivering != origin) {
        qCWarning(lcIntake) << "a hit of a source that is not delivering was refused";
        return {};
    }
    const TargetSheet::Snapshot before = m_sheet.snapshot();
    if (hit.sighter)
        m_sheet.followSighter(*hit.sighter);
    if (!m_sheet.receiveHit(hit)) {
        m_site.show();
        return {};
    }
    if (fromDevice(origin) && !m_site.keep()) {
        m_sheet.restore(before);
        m_site.show();
        return {false, m_site.keepProblem()};
    }
    m_site.show();
    return {true, {}};
}

QString HitIntake::sourceActive(HitOrigin origin, bool active) {
    if (active)
        m_delivering = origin;
    else if (m_delivering == origin)
        m_delivering.reset();
    const int placed = m_sheet.setExternalSource(active);
    m_site.changed();
    return heldHitsText(origin, placed);
}

QString HitIntake::correctHit(PointF from, std::optional<PointF> to) {
    const TargetFace& face = m_sheet.face();
    // Within one and a half calibres of the hit's centre.
    const float reach = float(1.5 * face.calibreMm() * face.scale());
    const std::optional<ShotPlace> place = m_sheet.hitNear(from, reach);
    if (!place)
        return tr("Dort liegt kein eingetragener Treffer.");
    const QString refused = m_sheet.correctHit(*place, to);
    if (refused.isEmpty())
        m_site.changed(); // the shooter's own change: kept, or told once
    else
        m_site.show();
    return refused;
}

QString HitIntake::refusal(HitOrigin origin) const {
    if (!m_delivering || *m_delivering == origin)
        return {};
    if (*m_delivering == HitOrigin::Camera)
        return tr("Die Kamera liefert schon die Treffer dieses Fensters. Erst die Kamera "
                  "ausschalten, dann abfragen.");
    return tr("Die elektronische Scheibe liefert schon die Treffer dieses Fensters. Erst die "
              "Schussabfrage beenden, dann die Kamera einschalten.");
}

QString HitIntake::photoRefusal() const {
    if (!m_delivering)
        return {};
    if (*m_delivering == HitOrigin::Camera)
        return tr("Solange die Kamera Treffer liefert, kann kein Foto eingelesen werden.");
    return tr("Solange die Scheibe Treffer liefert, kann kein Foto eingelesen werden.");
}

void HitIntake::pointerReleased(MouseButton button, PointF at) {
    m_sheet.mouseRelease(button, at.x, at.y);
    m_site.changed();
}

std::optional<QString> HitIntake::enterPhoto(const QList<QPointF>& holesMm) {
    if (const QString refused = photoRefusal(); !refused.isEmpty())
        return refused;
    const TargetSheet::Snapshot before = m_sheet.snapshot();
    // A new series, unless the newest has nothing in it yet.
    m_sheet.selectNewestSeries();
    const SeriesRecord& newest = m_sheet.record();
    if ((newest.nextFreeSlot() > 0 || newest.hasCall(0)) && !m_sheet.nextSeries()) {
        m_sheet.restore(before);
        m_site.show();
        return seriesLimitMessage();
    }
    const TargetFace& face = m_sheet.face();
    QList<PointF> hits;
    for (const QPointF& mm : holesMm) {
        const PointF at = drawnFromMm(face.centre(), face.scale(), mm.x(), mm.y());
        hits.append(m_sheet.placeable(at.x, at.y));
    }
    if (m_sheet.enterHeldHitsWithoutCall(hits) != hits.size()) {
        m_sheet.restore(before);
        m_site.show();
        return tr("Nicht alle Löcher lassen sich eintragen: eines liegt außerhalb "
                  "der Wertung oder die Serienliste ist voll. Bitte das Loch "
                  "entfernen oder die Serien speichern und mit „Neu“ beginnen.");
    }
    m_site.changed();
    return std::nullopt;
}

int HitIntake::enterRecovered(const QList<PointF>& hits) {
    const int placed = m_sheet.enterHeldHitsWithoutCall(hits);
    m_site.changed();
    return placed;
}

QString HitIntake::heldHitsText(HitOrigin origin, int placed) {
    if (placed <= 0)
        return {};
    switch (origin) {
    case HitOrigin::Target:
        return placed == 1 ? tr("Ein Treffer der Scheibe hatte noch keine Ansage; er wurde ohne "
                                "Ansage eingetragen (Bewertung „–“).")
                           : tr("%1 Treffer der Scheibe hatten noch keine Ansage; sie wurden "
                                "ohne Ansage eingetragen (Bewertung „–“).")
                                 .arg(placed);
    case HitOrigin::Camera:
        return placed == 1 ? tr("Ein Treffer der Kamera hatte noch keine Ansage; er wurde ohne "
                                "Ansage eingetragen (Bewertung „–“).")
                           : tr("%1 Treffer der Kamera hatten noch keine Ansage; sie wurden "
                                "ohne Ansage eingetragen (Bewertung „–“).")
                                 .arg(placed);
    default:
        return placed == 1 ? tr("Ein Treffer hatte noch keine Ansage; er wurde ohne Ansage "
                                "eingetragen (Bewertung „–“).")
                           : tr("%1 Treffer hatten noch keine Ansage; sie wurden ohne Ansage "
                                "eingetragen (Bewertung „–“).")
                                 .arg(placed);
    }
}

} // namespace ankerblick
