// One frame of the 3D window: rebuild the model from the design and draw it, for a
// rocket of ten components in the window's initial 870 x 500 size.

#include "BenchMain.h"
#include "SampleRocket.h"
#include "model/AxisValues.h"
#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/NoseCones.h"
#include "model/Placing.h"
#include "model/Transition.h"
#include "preview3d/Form3D.h"
#include "preview3d/Rocket3d.h"
#include "preview3d/ViewState3d.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vantor;

template <class T> T& Add(Design& design, TRocketElement* parent) {
    auto element = std::make_unique<T>();
    T& result = *element;
    element->Points.resize(element->OutlinePointCount());
    if (parent == nullptr)
        element->Points[0] = {OriginX, AxisY};
    design.addElement(std::move(element), parent != nullptr ? design.tree.nodeOf(parent) : nullptr);
    return result;
}

void FinShape(TStatecznik& fins, int count, float offset) {
    fins.FinA = 80;
    fins.FinB = 30;
    fins.FinC = 50;
    fins.FinD = 60;
    fins.Offset = offset;
    fins.FinCount = count;
}

// Ogive nose, three body tubes with a transition, two fin sets, a motor, an engine
// mount and a ballast.
void BuildTenComponents(Design& design) {
    OriginX = -400;
    AxisY = 300;
    auto& nose = Add<TGlowicaOgive>(design, nullptr);
    auto& front = Add<TKorpus>(design, &nose);
    front.Length = 200;
    auto& transition = Add<TStozekSciety>(design, &front);
    transition.Length = 60;
    auto& middle = Add<TKorpus>(design, &transition);
    middle.DiameterA = 70;
    middle.Length = 300;
    auto& rear = Add<TKorpus>(design, &middle);
    rear.DiameterA = 70;
    rear.Length = 150;
    FinShape(Add<TStatecznik>(design, &middle), 4, 100);
    FinShape(Add<TStatecznik>(design, &rear), 3, 60);
    Add<TEngine>(design, &rear).Offset = 80;
    Add<TLozysko>(design, &rear);
    Add<TBalast>(design, &front).Offset = 20;
    PlaceDesign(design);
}

// Opens the window's drawing to the benchmark.
class BenchForm : public TForm3D {
public:
    using TForm3D::paintGL;
    using TForm3D::TForm3D;
};

// Times whole frames of `design` in an 870 x 500 window with the spin timer stopped;
// false when there is no usable OpenGL context.
bool MeasureFrames(benchmark::State& run, const Design& design) {
    Preview3dViewState state;
    BenchForm form(design, state);
    form.show();
    form.resize(870, 500);
    for (QTimer* timer : form.findChildren<QTimer*>())
        timer->stop();
    QCoreApplication::processEvents();
    if (!form.glReady()) {
        run.SkipWithError("no usable OpenGL context");
        return false;
    }
    form.makeCurrent();
    QOpenGLFunctions* gl = form.context()->functions();
    for (auto _ : run) {
        form.paintGL();
        gl->glFinish(); // the frame counts once the renderer has finished it
        state.spinAngle -= 0.5f;
    }
    form.doneCurrent();
    return true;
}

void BM_Frame(benchmark::State& run) {
    Design design;
    BuildTenComponents(design);
    if (!MeasureFrames(run, design))
        return;
    TRocket3d model;
    int noseRings = 0;
    model.Build(design, noseRings);
    run.counters["triangles"] = double(model.TriangleCount());
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same frame for rockets of 20, 200 and 2,000 components.
void BM_FrameOfComponents(benchmark::State& run) {
    Design design;
    bench::BuildRocket(design, int(run.range(0)));
    MeasureFrames(run, design);
}
BENCHMARK(BM_FrameOfComponents)
    ->Arg(20)
    ->Arg(200)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_BuildModel(benchmark::State& run) {
    Design design;
    BuildTenComponents(design);
    TRocket3d model;
    int noseRings = 0;
    for (auto _ : run) {
        model.Build(design, noseRings);
        benchmark::DoNotOptimize(model.Vertices.data());
    }
}
BENCHMARK(BM_BuildModel)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}
