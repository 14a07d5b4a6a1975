// The scene graph's per-frame work at 10 to 10,000 targets. Each benchmark reports its cost per
// target (items processed) and fits how that cost grows with the number of targets.
#include <benchmark/benchmark.h>

#include "bench/scene/TargetField.hpp"

namespace rovuzu {
namespace {

constexpr CGPoint kMiddle{0.0, 0.0};

void perTarget(benchmark::State& state) {
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// SKScene::evaluateActions with every target running the hit sequence.
void BM_EvaluateActions(benchmark::State& state) {
    TargetField field(static_cast<std::size_t>(state.range(0)));
    field.hitAll();
    double now = field.now();
    for (auto _ : state) {
        now += 1.0 / 60.0;
        field.scene().evaluateActions(now);
    }
    perTarget(state);
}

// SKScene::nodesAtPoint in the middle of the view, where targets pile up.
void BM_NodesAtPoint(benchmark::State& state) {
    TargetField field(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(field.scene().nodesAtPoint(kMiddle));
    }
    perTarget(state);
}

// ARSKView placing every anchor's node for a camera that turned: projection, depth scale,
// depth order and visibility. No actions run.
void BM_AnchorProjection(benchmark::State& state) {
    TargetField field(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        field.turn();
        field.stepFrame();
    }
    perTarget(state);
}

// A whole frame without drawing while every target is being hit: ARSKView::stepFrame's node
// requests, projection, the scene's update and its actions.
void BM_StepFrame(benchmark::State& state) {
    TargetField field(static_cast<std::size_t>(state.range(0)));
    field.hitAll();
    for (auto _ : state) {
        field.turn();
        field.stepFrame();
    }
    perTarget(state);
}

// A frame that must ask the delegate for a node for every anchor: the cost of new targets.
void BM_NodeRequests(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto field = std::make_unique<TargetField>(0);
        field->addAnchors(count);
        state.ResumeTiming();
        field->stepFrame();
        state.PauseTiming();
        field.reset();
        state.ResumeTiming();
    }
    perTarget(state);
}

// What a tap costs on top of a frame: the frame, then the hit test where the tap landed.
void BM_FrameAndHitTest(benchmark::State& state) {
    TargetField field(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        field.turn();
        field.stepFrame();
        benchmark::DoNotOptimize(field.scene().nodesAtPoint(kMiddle));
    }
    perTarget(state);
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oN);
}

BENCHMARK(BM_EvaluateActions)->Apply(sizes);
BENCHMARK(BM_NodesAtPoint)->Apply(sizes);
BENCHMARK(BM_AnchorProjection)->Apply(sizes);
BENCHMARK(BM_StepFrame)->Apply(sizes);
BENCHMARK(BM_NodeRequests)->Apply(sizes);
BENCHMARK(BM_FrameAndHitTest)->Apply(sizes);

}  // namespace
}  // namespace rovuzu

BENCHMARK_MAIN();
