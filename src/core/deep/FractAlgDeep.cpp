#include "core/deep/FractAlgDeep.h"

#include "core/archive/Archive.h"
#include "core/formulas/FormulaList.h"

#include <algorithm>
#include <array>

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractAlgDeep, CFractAlg)
KORVANTA_IMPLEMENT_SERIAL(CFractAlgDeepMandelbrot, CFractAlgDeep)
KORVANTA_IMPLEMENT_SERIAL(CFractAlgDeepMandelbrot3, CFractAlgDeep)
KORVANTA_IMPLEMENT_SERIAL(CFractAlgDeepJulia, CFractAlgDeep)
KORVANTA_IMPLEMENT_SERIAL(CFractAlgDeepJulia3, CFractAlgDeep)
KORVANTA_IMPLEMENT_SERIAL(CFractAlgDeepLambda, CFractAlgDeep)

namespace {

constexpr std::int32_t kStoredVersion = 1;

}  // namespace

void CFractAlgDeep::Serialize(Archive& ar)
{
    CFractAlg::Serialize(ar);
    std::int32_t version = kStoredVersion;
    ar.Transfer(version);
    if (ar.IsLoading() && version != kStoredVersion)
        throw ArchiveError(ArchiveError::Kind::BadValue, "a deep location of an unknown version");
    DeepArea area = m_area;
    std::string re = m_constantRe, im = m_constantIm;
    ar.TransferAll(area.xStart, area.xEnd, area.yStart, area.yEnd, re, im);
    if (ar.IsStoring())
        return;
    for (const std::string* text : {&area.xStart, &area.xEnd, &area.yStart, &area.yEnd, &re, &im})
        if (text->size() > kLongestDeepText || !BigFloat::FromDecimal(*text, 64))
            throw ArchiveError(ArchiveError::Kind::BadValue, "a deep location that is not a decimal number");
    if (m_nMaxIter < 0 || m_nMaxIter > kDeepLimit)
        throw ArchiveError(ArchiveError::Kind::BadValue, "a deep picture with a limit beyond the deep engine's");
    if (!std::holds_alternative<DeepLocation>(DeepLocation::Make(area, m_nWidth, m_nHeight, m_nMaxIter)))
        throw ArchiveError(ArchiveError::Kind::BadValue, "a deep location the engine cannot compute");
    SetLocation(area, re, im);
}

const char* CFractAlgDeep::GetName() const
{
    // The name of the formula computed in doubles, as lists and the value panel show it.
    const auto classes = FormulaClasses();
    for (std::size_t i = 0; i < classes.size(); ++i)
        if (DeepKindOfFormula(static_cast<std::int32_t>(i)) == m_kind)
            return CreateFormula(static_cast<std::int32_t>(i))->GetName();
    return "";
}

void CFractAlgDeep::SetLocation(const DeepArea& area, const std::string& constantRe, const std::string& constantIm)
{
    m_area = area;
    m_constantRe = constantRe;
    m_constantIm = constantIm;
    m_shared = std::make_shared<Shared>();
    m_engine = nullptr;
}

void CFractAlgDeep::ShareComputedState(CFractAlg& copy) const
{
    // Only a copy of the same location, as copies through the stored form are.
    auto* deep = dynamic_cast<CFractAlgDeep*>(&copy);
    if (deep && deep->m_kind == m_kind && deep->m_area.xStart == m_area.xStart && deep->m_area.xEnd == m_area.xEnd &&
        deep->m_area.yStart == m_area.yStart && deep->m_area.yEnd == m_area.yEnd &&
        deep->m_constantRe == m_constantRe && deep->m_constantIm == m_constantIm) {
        deep->m_shared = m_shared;
        deep->m_engine = nullptr;
    }
}

bool CFractAlgDeep::Fits(const DeepEngine& engine) const
{
    return engine.Location().Width() == m_nWidth && engine.Location().Height() == m_nHeight &&
           engine.Limit() == m_nMaxIter;
}

bool CFractAlgDeep::Prepare(const DeepProgress& progress) const
{
    std::lock_guard<std::mutex> hold(m_shared->lock);
    // Orbits of another size or limit are of no use (the fields changed since).
    if (m_shared->engine && !Fits(*m_shared->engine))
        m_shared->engine.reset();
    if (m_shared->engine || m_shared->refused) {
        m_engine = m_shared->engine;
        return m_engine != nullptr;
    }
    const auto made = DeepLocation::Make(m_area, m_nWidth, m_nHeight, m_nMaxIter);
    const auto* location = std::get_if<DeepLocation>(&made);
    const auto cr = location ? BigFloat::FromDecimal(m_constantRe, location->Precision()) : std::nullopt;
    const auto ci = location ? BigFloat::FromDecimal(m_constantIm, location->Precision()) : std::nullopt;
    if (!location || !cr || !ci || m_nMaxIter > kDeepLimit) {
        m_shared->refused = true;
        return false;
    }
    const DeepProgress report = [&](double done) {
        m_shared->permille = static_cast<int>(done * 1000);
        return !StopAsked() && (!progress || progress(done));
    };
    auto engine = DeepEngine::Build(m_kind, *location, *cr, *ci, m_nMaxIter, report);
    m_shared->permille = -1;
    if (!engine)
        return false;  // stopped: the next call starts over
    m_shared->engine = std::move(engine);
    m_engine = m_shared->engine;
    return true;
}

bool CFractAlgDeep::Iterate()
{
    if ((!m_engine || !Fits(*m_engine)) && !Prepare()) {
        // A location the engine refuses draws nothing but the limit.
        m_result = std::complex<double>(0, 0);
        m_result.SetCount(0);
        return true;
    }
    const DeepPixel p = m_engine->Pixel(m_nPointColumn, m_nPointRow);
    m_x = p.re;
    m_y = p.im;
    m_nIter = p.count ? p.count : m_nMaxIter;
    m_result = std::complex<double>(p.re, p.im);
    m_result.SetCount(p.count);
    return true;
}

void CFractAlgDeep::Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn,
                        std::vector<CFractValue>& results)
{
    results.assign(static_cast<std::size_t>(std::max(0, toColumn - fromColumn)), CFractValue{});
    if ((!m_engine || !Fits(*m_engine)) && !Prepare())
        return;  // a location the engine refuses draws nothing but the limit, as Iterate does
    thread_local std::vector<DeepPixel> pixels;
    m_engine->Row(row, fromColumn, toColumn, pixels);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        results[i] = std::complex<double>(pixels[i].re, pixels[i].im);
        results[i].SetCount(pixels[i].count);
    }
}

std::unique_ptr<CFractAlgDeep> CreateDeepFormula(DeepKind kind)
{
    switch (kind) {
    case DeepKind::Mandelbrot: return std::make_unique<CFractAlgDeepMandelbrot>();
    case DeepKind::Mandelbrot3: return std::make_unique<CFractAlgDeepMandelbrot3>();
    case DeepKind::Julia: return std::make_unique<CFractAlgDeepJulia>();
    case DeepKind::Julia3: return std::make_unique<CFractAlgDeepJulia3>();
    case DeepKind::Lambda: return std::make_unique<CFractAlgDeepLambda>();
    }
    return nullptr;
}

std::span<const CRuntimeClass* const> DeepFormulaClasses()
{
    static constexpr std::array<const CRuntimeClass*, 5> classes{
        &CFractAlgDeepMandelbrot::kClass, &CFractAlgDeepMandelbrot3::kClass, &CFractAlgDeepJulia::kClass,
        &CFractAlgDeepJulia3::kClass, &CFractAlgDeepLambda::kClass};
    return classes;
}

}  // namespace korvanta
