// Measures the rotation tracker against ground truth: synthetic sequences filmed from procedural
// panoramas, or a recorded folder of pictures with their true angles.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <opencv2/core/utility.hpp>

#include "tools/trackeval/Evaluation.hpp"
#include "tools/trackeval/FrameDirectory.hpp"
#include "tools/trackeval/StandardSequences.hpp"
#include "tools/trackeval/TrackPlot.hpp"

namespace {

using rovuzu::Evaluation;

void printHeader() {
    std::printf("%-20s %6s %8s %8s %9s %11s %6s %7s %7s\n", "sequence", "frames", "mean deg",
                "max deg", "max track", "drift d/min", "lost%", "ms p50", "ms p99");
}

void printRow(const Evaluation& e) {
    std::printf("%-20s %6zu %8.3f %8.3f %9.3f %11.3f %6.1f %7.2f %7.2f\n", e.name.c_str(),
                e.frames.size(), e.meanErrorDegrees, e.maxErrorDegrees, e.maxTrackingErrorDegrees,
                e.driftDegreesPerMinute, 100.0 * e.lostShare, e.medianMilliseconds,
                e.p99Milliseconds);
    std::fflush(stdout);
}

void writeSummary(const std::vector<Evaluation>& evaluations, std::ostream& out) {
    out << "sequence,frames,mean_error_deg,max_error_deg,max_tracking_error_deg,"
           "drift_deg_per_min,lost_share,ms_p50,ms_p99\n";
    for (const auto& e : evaluations) {
        out << e.name << ',' << e.frames.size() << ',' << e.meanErrorDegrees << ','
            << e.maxErrorDegrees << ',' << e.maxTrackingErrorDegrees << ','
            << e.driftDegreesPerMinute << ',' << e.lostShare << ',' << e.medianMilliseconds << ','
            << e.p99Milliseconds << '\n';
    }
}

// Writes the per-frame CSV and the plot; false (after saying why) when the folder is unusable.
bool writeOutputs(const Evaluation& evaluation, const std::filesystem::path& folder) {
    const std::filesystem::path csv = folder / (evaluation.name + ".csv");
    std::ofstream out(csv);
    if (out) {
        rovuzu::writeFrames(evaluation, out);
    }
    if (!out) {
        std::cerr << "rovuzu: " << csv.string() << ": cannot write the file\n";
        return false;
    }
    const std::filesystem::path plot = folder / (evaluation.name + ".png");
    if (!rovuzu::writeTrackPlot(evaluation, plot.string())) {
        std::cerr << "rovuzu: " << plot.string() << ": cannot write the plot\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Measures the visual rotation tracker against ground truth."};
    std::filesystem::path out = "trackeval-out";
    std::vector<std::string> only;
    std::filesystem::path frames;
    std::filesystem::path truth;
    double fieldOfView = 60.0;
    std::string name = "external";
    app.add_option("--out", out, "Folder for the plots and CSV files")->capture_default_str();
    app.add_option("--only", only, "Run only these standard sequences")->delimiter(',');
    auto* framesOption =
        app.add_option("--frames", frames, "Folder of PNG pictures, taken in name order");
    auto* truthOption = app.add_option("--truth", truth, "CSV: time,yaw_deg,pitch_deg,roll_deg");
    framesOption->needs(truthOption);
    truthOption->needs(framesOption);
    app.add_option("--fov", fieldOfView, "Field of view across the longer side, degrees")
        ->capture_default_str();
    app.add_option("--name", name, "Name for the --frames sequence")->capture_default_str();
    CLI11_PARSE(app, argc, argv);

    std::error_code error;
    std::filesystem::create_directories(out, error);
    if (error) {
        std::cerr << "rovuzu: " << out.string() << ": cannot create the folder (" << error.message()
                  << ")\n";
        return 1;
    }
    // Figures are per core: OpenCV's thread pool would spread the work.
    cv::setNumThreads(1);

    std::vector<std::unique_ptr<rovuzu::Sequence>> sequences;
    if (!frames.empty()) {
        auto opened = rovuzu::FrameDirectory::open(frames, truth, fieldOfView, name);
        if (!opened.sequence) {
            std::cerr << "rovuzu: " << opened.problem << '\n';
            return 1;
        }
        sequences.push_back(std::move(opened.sequence));
    } else {
        for (auto& sequence : rovuzu::standardSequences()) {
            if (only.empty() ||
                std::find(only.begin(), only.end(), sequence->name()) != only.end()) {
                sequences.push_back(std::move(sequence));
            }
        }
    }
    if (sequences.empty()) {
        std::cerr << "rovuzu: --only: no standard sequence has that name\n";
        return 1;
    }

    printHeader();
    std::vector<Evaluation> evaluations;
    bool ok = true;
    for (const auto& sequence : sequences) {
        evaluations.push_back(rovuzu::evaluate(*sequence));
        printRow(evaluations.back());
        ok = writeOutputs(evaluations.back(), out) && evaluations.back().complete && ok;
    }
    std::ofstream summary(out / "summary.csv");
    writeSummary(evaluations, summary);
    return ok ? 0 : 1;
}
