#include "reports/ui/DesignerEdits.h"

#include <algorithm>
#include <cmath>

namespace DesignerEdits {
namespace {
// Order of the kinds on the page; bands of one rank keep their own order.
int rank(ReportBandKind kind)
{
    switch (kind) {
    case ReportBandKind::PageHeader: return 0;
    case ReportBandKind::Title: return 1;
    case ReportBandKind::ColumnHeader: return 2;
    case ReportBandKind::GroupHeader: return 3;
    case ReportBandKind::Detail: return 4;
    case ReportBandKind::Child: return 4;
    case ReportBandKind::GroupFooter: return 5;
    case ReportBandKind::Summary: return 6;
    case ReportBandKind::PageFooter: return 7;
    }
    return 4;
}

QString bandPrefix(ReportBandKind kind)
{
    QString n = reportBandKindName(kind);
    if (!n.isEmpty())
        n[0] = n[0].toUpper();
    return n.isEmpty() ? QStringLiteral("Band") : n;
}

QString elementPrefix(ReportElementKind kind)
{
    QString n = reportElementKindName(kind);
    if (!n.isEmpty())
        n[0] = n[0].toUpper();
    return n.isEmpty() ? QStringLiteral("Element") : n;
}

bool validBand(const ReportDefinition& d, int band) { return band >= 0 && band < int(d.bands.size()); }

ReportElement* find(ReportDefinition& d, const DesignerElementRef& r)
{
    if (!validBand(d, r.band))
        return nullptr;
    auto& el = d.bands[size_t(r.band)].elements;
    return r.element >= 0 && r.element < int(el.size()) ? &el[size_t(r.element)] : nullptr;
}

double clampLeft(const ReportDefinition& d, double left, double width)
{
    const double maxLeft = std::max(0.0, d.page.printableWidthMm() - width);
    return std::clamp(left, 0.0, maxLeft);
}
} // namespace

double snap(double v, double stepMm)
{
    if (stepMm <= 0)
        return v;
    return std::round(v / stepMm) * stepMm;
}

int addBand(ReportDefinition& d, ReportBandKind kind)
{
    ReportBand band;
    band.kind = kind;
    band.name = d.uniqueName(bandPrefix(kind));
    band.heightMm = kind == ReportBandKind::Title ? 15 : 7;
    if (kind == ReportBandKind::GroupFooter) {
        const std::vector<int> headers = d.groupHeaderIndexes();
        if (!headers.empty())
            band.group = d.bands[size_t(headers.back())].name;
    }
    int pos = int(d.bands.size());
    const int r = rank(kind);
    for (int i = 0; i < int(d.bands.size()); ++i) {
        if (rank(d.bands[size_t(i)].kind) > r) {
            pos = i;
            break;
        }
    }
    d.bands.insert(d.bands.begin() + pos, std::move(band));
    return pos;
}

void removeBand(ReportDefinition& d, int band)
{
    if (validBand(d, band))
        d.bands.erase(d.bands.begin() + band);
}

bool moveBand(ReportDefinition& d, int band, int direction)
{
    const int to = band + direction;
    if (!validBand(d, band) || !validBand(d, to))
        return false;
    std::swap(d.bands[size_t(band)], d.bands[size_t(to)]);
    return true;
}

void setBandHeight(ReportDefinition& d, int band, double heightMm)
{
    if (validBand(d, band))
        d.bands[size_t(band)].heightMm = std::max(MinBandHeightMm, heightMm);
}

DesignerElementRef addElement(ReportDefinition& d, int band, ReportElementKind kind, QPointF topLeftMm)
{
    if (!validBand(d, band))
        return {};
    ReportElement e;
    e.kind = kind;
    e.name = d.uniqueName(elementPrefix(kind));
    switch (kind) {
    case ReportElementKind::Label: e.text = QStringLiteral("Besedilo"); break;
    case ReportElementKind::Memo:
        e.text = QStringLiteral("Besedilo");
        e.heightMm = 10;
        e.wordWrap = true;
        e.widthMm = 50;
        break;
    case ReportElementKind::Image: e.widthMm = 25; e.heightMm = 15; break;
    case ReportElementKind::Line: e.heightMm = 0; e.widthMm = 50; break;
    case ReportElementKind::Rectangle: e.widthMm = 40; e.heightMm = 10; break;
    case ReportElementKind::SystemData: e.systemData = ReportSystemDataKind::PageNumberOfCount; break;
    default: break;
    }
    ReportBand& b = d.bands[size_t(band)];
    e.leftMm = clampLeft(d, topLeftMm.x(), e.widthMm);
    e.topMm = std::clamp(topLeftMm.y(), 0.0, std::max(0.0, b.heightMm - 1));
    if (e.topMm + e.heightMm > b.heightMm)
        b.heightMm = e.topMm + e.heightMm;
    b.elements.push_back(std::move(e));
    return {band, int(b.elements.size()) - 1};
}

void removeElements(ReportDefinition& d, std::vector<DesignerElementRef> refs)
{
    std::sort(refs.begin(), refs.end());
    for (auto it = refs.rbegin(); it != refs.rend(); ++it)
        if (find(d, *it))
            d.bands[size_t(it->band)].elements.erase(d.bands[size_t(it->band)].elements.begin() + it->element);
}

std::vector<DesignerElementRef> moveElements(ReportDefinition& d, const std::vector<DesignerElementRef>& refs,
                                             QPointF deltaMm, const std::vector<double>& bandTopsMm)
{
    struct Moved {
        DesignerElementRef from;
        int toBand;
        ReportElement element;
    };
    std::vector<Moved> moved;
    for (const DesignerElementRef& r : refs) {
        ReportElement* e = find(d, r);
        if (!e)
            continue;
        ReportElement copy = *e;
        copy.leftMm = clampLeft(d, copy.leftMm + deltaMm.x(), copy.widthMm);
        double top = copy.topMm + deltaMm.y();
        int band = r.band;
        if (bandTopsMm.size() == d.bands.size()) {
            // the element's top on the whole page decides the band it lies in
            const double pageTop = bandTopsMm[size_t(r.band)] + top;
            int target = 0;
            for (int i = 0; i < int(bandTopsMm.size()); ++i)
                if (pageTop >= bandTopsMm[size_t(i)])
                    target = i;
            band = target;
            top = pageTop - bandTopsMm[size_t(band)];
        }
        const double bandHeight = d.bands[size_t(band)].heightMm;
        copy.topMm = std::clamp(top, 0.0, std::max(0.0, bandHeight - std::min(copy.heightMm, bandHeight)));
        moved.push_back({r, band, std::move(copy)});
    }
    // elements staying in their band keep their place; the others go to the end of their band
    std::vector<DesignerElementRef> result;
    std::vector<DesignerElementRef> leaving;
    for (const Moved& m : moved) {
        if (m.toBand == m.from.band)
            *find(d, m.from) = m.element;
        else
            leaving.push_back(m.from);
    }
    removeElements(d, leaving);
    for (const Moved& m : moved) {
        if (m.toBand == m.from.band) {
            // indexes shift for the elements removed before it in the same band
            int index = m.from.element;
            for (const DesignerElementRef& l : leaving)
                if (l.band == m.from.band && l.element < m.from.element)
                    --index;
            result.push_back({m.from.band, index});
        } else {
            auto& el = d.bands[size_t(m.toBand)].elements;
            el.push_back(m.element);
            result.push_back({m.toBand, int(el.size()) - 1});
        }
    }
    return result;
}

void resizeElement(ReportDefinition& d, const DesignerElementRef& ref, double widthMm, double heightMm)
{
    ReportElement* e = find(d, ref);
    if (!e)
        return;
    const double minHeight = e->kind == ReportElementKind::Line ? 0 : MinElementSizeMm;
    e->widthMm = std::clamp(widthMm, MinElementSizeMm, std::max(MinElementSizeMm, d.page.printableWidthMm() - e->leftMm));
    e->heightMm = std::max(minHeight, heightMm);
    ReportBand& b = d.bands[size_t(ref.band)];
    if (e->topMm + e->heightMm > b.heightMm)
        b.heightMm = e->topMm + e->heightMm;
}

void align(ReportDefinition& d, const std::vector<DesignerElementRef>& refs, Alignment how)
{
    if (refs.size() < 2)
        return;
    const ReportElement* first = find(d, refs.front());
    if (!first)
        return;
    const ReportElement ref = *first;
    for (size_t i = 1; i < refs.size(); ++i) {
        ReportElement* e = find(d, refs[i]);
        if (!e)
            continue;
        switch (how) {
        case Alignment::Left: e->leftMm = ref.leftMm; break;
        case Alignment::Right: e->leftMm = clampLeft(d, ref.leftMm + ref.widthMm - e->widthMm, e->widthMm); break;
        case Alignment::Top: e->topMm = ref.topMm; break;
        case Alignment::Bottom: e->topMm = std::max(0.0, ref.topMm + ref.heightMm - e->heightMm); break;
        case Alignment::HCenter: e->leftMm = clampLeft(d, ref.leftMm + (ref.widthMm - e->widthMm) / 2, e->widthMm); break;
        case Alignment::SameWidth: resizeElement(d, refs[i], ref.widthMm, e->heightMm); break;
        case Alignment::SameHeight: resizeElement(d, refs[i], e->widthMm, ref.heightMm); break;
        }
    }
}

QByteArray copyElements(const ReportDefinition& d, const std::vector<DesignerElementRef>& refs)
{
    ReportDefinition clip;
    clip.name = QStringLiteral("clipboard");
    ReportBand band;
    band.name = QStringLiteral("Clip");
    for (const DesignerElementRef& r : refs)
        if (validBand(d, r.band) && r.element >= 0 && r.element < int(d.bands[size_t(r.band)].elements.size()))
            band.elements.push_back(d.bands[size_t(r.band)].elements[size_t(r.element)]);
    clip.bands.push_back(std::move(band));
    return clip.serialize();
}

std::vector<DesignerElementRef> pasteElements(ReportDefinition& d, int band, const QByteArray& clip, QPointF offsetMm)
{
    std::vector<DesignerElementRef> out;
    if (!validBand(d, band))
        return out;
    ReportParseResult parsed = ReportDefinition::parse(clip);
    if (!parsed.definition || parsed.definition->bands.empty())
        return out;
    for (ReportElement e : parsed.definition->bands.front().elements) {
        QString prefix = e.name;
        while (!prefix.isEmpty() && prefix.back().isDigit())
            prefix.chop(1);
        e.name = d.uniqueName(prefix.isEmpty() ? QStringLiteral("Element") : prefix);
        e.leftMm = clampLeft(d, e.leftMm + offsetMm.x(), e.widthMm);
        e.topMm = std::max(0.0, e.topMm + offsetMm.y());
        ReportBand& b = d.bands[size_t(band)];
        if (e.topMm + e.heightMm > b.heightMm)
            e.topMm = std::max(0.0, b.heightMm - e.heightMm);
        b.elements.push_back(std::move(e));
        out.push_back({band, int(b.elements.size()) - 1});
    }
    return out;
}

} // namespace DesignerEdits
