#pragma once

#include "core/deep/DeepEngine.h"
#include "core/formulas/FractAlg.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace korvanta {

// A formula whose picture lies deeper than doubles resolve, computed by the deep engine from
// the exact decimal texts of its area (and constant). Documents store it under class names
// of its own, with the texts after the fields every formula stores, whose doubles are then
// only an approximation of the location. Each pixel is computed whole in one call.
class CFractAlgDeep : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgDeep)

public:
    CFractAlgDeep() = default;
    explicit CFractAlgDeep(DeepKind kind) : m_kind(kind) {}

    void Serialize(Archive& ar) override;
    bool Iterate() override;
    void IteratePixel(bool) override { Iterate(); }
    bool UsesConstant() const override { return !FormulaOf(m_kind).pixelIsC; }
    const char* GetName() const override;
    void ShareComputedState(CFractAlg& copy) const override;
    int PreparingPermille() const override { return m_shared->permille; }

    DeepKind Kind() const { return m_kind; }
    // The location: the area's texts and, for the Julia kinds, the constant's.
    void SetLocation(const DeepArea& area, const std::string& constantRe, const std::string& constantIm);
    const DeepArea& Area() const { return m_area; }
    const std::string& ConstantRe() const { return m_constantRe; }
    const std::string& ConstantIm() const { return m_constantIm; }

    // Computes the reference orbits and tables for the current size and limit (otherwise the
    // first pixel does). False when `progress` or the StopWhen flag stopped it, or the
    // location is refused.
    bool Prepare(const DeepProgress& progress = {}) const;
    // The results of pixels `fromColumn` to `toColumn` (excluded) of `row`, each what Iterate
    // gives, two at a time where they can be; the formula's own state is left as it was.
    void Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn, std::vector<CFractValue>& results);


private:
    struct Shared {
        std::mutex lock;
        std::shared_ptr<const DeepEngine> engine;
        bool refused = false;
        std::atomic<int> permille{-1};  // of the engine under construction
    };

    // Whether `engine` was built for this size and limit.
    bool Fits(const DeepEngine& engine) const;

    DeepKind m_kind = DeepKind::Mandelbrot;
    DeepArea m_area{"-1", "1", "-1", "1"};
    std::string m_constantRe = "0", m_constantIm = "0";
    // Shared by this formula's copies (the workers' ones), so the orbits are computed once.
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
    mutable std::shared_ptr<const DeepEngine> m_engine;  // this copy's hold on it
};

// One class per formula, so a document names what it holds and older readers refuse it.
class CFractAlgDeepMandelbrot : public CFractAlgDeep {
    KORVANTA_DECLARE_SERIAL(CFractAlgDeepMandelbrot)

public:
    CFractAlgDeepMandelbrot() : CFractAlgDeep(DeepKind::Mandelbrot) {}
};
class CFractAlgDeepMandelbrot3 : public CFractAlgDeep {
    KORVANTA_DECLARE_SERIAL(CFractAlgDeepMandelbrot3)

public:
    CFractAlgDeepMandelbrot3() : CFractAlgDeep(DeepKind::Mandelbrot3) {}
};
class CFractAlgDeepJulia : public CFractAlgDeep {
    KORVANTA_DECLARE_SERIAL(CFractAlgDeepJulia)

public:
    CFractAlgDeepJulia() : CFractAlgDeep(DeepKind::Julia) {}
};
class CFractAlgDeepJulia3 : public CFractAlgDeep {
    KORVANTA_DECLARE_SERIAL(CFractAlgDeepJulia3)

public:
    CFractAlgDeepJulia3() : CFractAlgDeep(DeepKind::Julia3) {}
};
class CFractAlgDeepLambda : public CFractAlgDeep {
    KORVANTA_DECLARE_SERIAL(CFractAlgDeepLambda)

public:
    CFractAlgDeepLambda() : CFractAlgDeep(DeepKind::Lambda) {}
};

// A fresh deep formula of `kind`.
std::unique_ptr<CFractAlgDeep> CreateDeepFormula(DeepKind kind);

// The deep formula classes, for readers of documents.
std::span<const CRuntimeClass* const> DeepFormulaClasses();

}  // namespace korvanta
