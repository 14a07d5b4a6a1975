#include "tools/trackeval/TrackPlot.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <vector>

namespace rovuzu {
namespace {

constexpr double kDegrees = 180.0 / CV_PI;
const cv::Size kPlotSize(1200, 820);
constexpr int kLeft = 90;
constexpr int kRight = 30;
constexpr int kTitleHeight = 80;
constexpr int kPanelHeight = 300;
constexpr int kPanelGap = 60;
const cv::Scalar kTrueColour(190, 110, 20);      // blue
const cv::Scalar kEstimateColour(20, 130, 250);  // orange
const cv::Scalar kLostColour(215, 215, 255);     // pale red
const cv::Scalar kInk(40, 40, 40);
const cv::Scalar kGrid(225, 225, 225);

std::string format(const char* pattern, double value) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), pattern, value);
    return text.data();
}

double niceStep(double range) {
    const double rough = range / 6.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

// Yaw jumps by a full turn at +-180 degrees; unwrapped it reads as the motion it is.
std::vector<double> unwrapped(const std::vector<double>& angles) {
    std::vector<double> out(angles);
    for (std::size_t i = 1; i < out.size(); ++i) {
        out[i] = out[i - 1] + std::remainder(angles[i] - angles[i - 1], 360.0);
    }
    return out;
}

struct Panel {
    cv::Rect area;
    double endTime;
    double low;
    double high;

    [[nodiscard]] cv::Point at(double time, double value) const {
        const double x = area.x + area.width * time / endTime;
        const double y = area.y + area.height * (high - value) / (high - low);
        return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    }
};

void drawAxes(cv::Mat& plot, const Panel& panel, const std::string& label) {
    const double yStep = niceStep(panel.high - panel.low);
    for (double v = std::ceil(panel.low / yStep) * yStep; v <= panel.high; v += yStep) {
        const cv::Point left = panel.at(0.0, v);
        cv::line(plot, left, panel.at(panel.endTime, v), kGrid, 1);
        cv::putText(plot, format("%g", v), left + cv::Point(-62, 5), cv::FONT_HERSHEY_SIMPLEX, 0.45,
                    kInk, 1, cv::LINE_AA);
    }
    const double xStep = niceStep(panel.endTime);
    for (double t = 0.0; t <= panel.endTime + 1e-9; t += xStep) {
        const cv::Point bottom = panel.at(t, panel.low);
        cv::line(plot, panel.at(t, panel.high), bottom, kGrid, 1);
        cv::putText(plot, format("%g", t), bottom + cv::Point(-8, 20), cv::FONT_HERSHEY_SIMPLEX,
                    0.45, kInk, 1, cv::LINE_AA);
    }
    cv::rectangle(plot, panel.area, kInk, 1);
    cv::putText(plot, label, {panel.area.x, panel.area.y - 10}, cv::FONT_HERSHEY_SIMPLEX, 0.55,
                kInk, 1, cv::LINE_AA);
    cv::putText(plot, "time (s)", {panel.area.br().x - 70, panel.area.br().y + 40},
                cv::FONT_HERSHEY_SIMPLEX, 0.45, kInk, 1, cv::LINE_AA);
}

void drawLine(cv::Mat& plot, const Panel& panel, const std::vector<double>& times,
              const std::vector<double>& values, const cv::Scalar& colour) {
    std::vector<cv::Point> points;
    for (std::size_t i = 0; i < times.size(); ++i) {
        points.push_back(panel.at(times[i], values[i]));
    }
    cv::polylines(plot, points, false, colour, 2, cv::LINE_AA);
}

void shadeLost(cv::Mat& plot, const Panel& panel, const Evaluation& evaluation) {
    const auto& frames = evaluation.frames;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].state != TrackingState::Lost) {
            continue;
        }
        const double end = i + 1 < frames.size() ? frames[i + 1].time : panel.endTime;
        cv::rectangle(plot,
                      cv::Rect(panel.at(frames[i].time, panel.high), panel.at(end, panel.low)),
                      kLostColour, cv::FILLED);
    }
}

// One row above the panels, where it hides no data.
void drawLegend(cv::Mat& plot, cv::Point start) {
    const std::vector<std::pair<std::string, cv::Scalar>> entries = {
        {"true", kTrueColour}, {"estimated", kEstimateColour}, {"tracking lost", kLostColour}};
    cv::Point at = start;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& [label, colour] = entries[i];
        if (i == 2) {
            cv::rectangle(plot, cv::Rect(at + cv::Point(0, -7), cv::Size(30, 12)), colour,
                          cv::FILLED);
        } else {
            cv::line(plot, at, at + cv::Point(30, 0), colour, 2, cv::LINE_AA);
        }
        cv::putText(plot, label, at + cv::Point(38, 5), cv::FONT_HERSHEY_SIMPLEX, 0.45, kInk, 1,
                    cv::LINE_AA);
        at.x += 150;
    }
}

void drawPanel(cv::Mat& plot, int top, const Evaluation& evaluation, const std::string& label,
               const std::function<double(const YawPitchRoll&)>& angle, bool wraps) {
    std::vector<double> times;
    std::vector<double> truth;
    std::vector<double> estimate;
    for (const auto& frame : evaluation.frames) {
        times.push_back(frame.time);
        truth.push_back(angle(frame.truth) * kDegrees);
        estimate.push_back(angle(frame.estimate) * kDegrees);
    }
    if (wraps) {
        truth = unwrapped(truth);
        estimate = unwrapped(estimate);
        // Start both on the same turn.
        const double turns = std::round((truth.front() - estimate.front()) / 360.0);
        for (double& value : estimate) {
            value += 360.0 * turns;
        }
    }
    const auto [lowTrue, highTrue] = std::minmax_element(truth.begin(), truth.end());
    const auto [lowEstimate, highEstimate] = std::minmax_element(estimate.begin(), estimate.end());
    double low = std::min(*lowTrue, *lowEstimate);
    double high = std::max(*highTrue, *highEstimate);
    const double pad = std::max(1.0, 0.08 * (high - low));
    low -= pad;
    high += pad;
    const Panel panel{cv::Rect(kLeft, top, kPlotSize.width - kLeft - kRight, kPanelHeight),
                      std::max(times.back(), 1e-3), low, high};
    shadeLost(plot, panel, evaluation);
    drawAxes(plot, panel, label);
    drawLine(plot, panel, times, truth, kTrueColour);
    drawLine(plot, panel, times, estimate, kEstimateColour);
}

}  // namespace

bool writeTrackPlot(const Evaluation& evaluation, const std::string& path) {
    cv::Mat plot(kPlotSize, CV_8UC3, cv::Scalar::all(255));
    if (!evaluation.frames.empty()) {
        const std::string title = evaluation.name + ":  mean error " +
                                  format("%.2f", evaluation.meanErrorDegrees) + " deg,  max " +
                                  format("%.2f", evaluation.maxErrorDegrees) + " deg,  drift " +
                                  format("%.2f", evaluation.driftDegreesPerMinute) + " deg/min";
        cv::putText(plot, title, {kLeft, 32}, cv::FONT_HERSHEY_SIMPLEX, 0.65, kInk, 1, cv::LINE_AA);
        drawPanel(
            plot, kTitleHeight + 20, evaluation, "yaw (deg)",
            [](const YawPitchRoll& a) { return a.yaw; }, true);
        drawPanel(
            plot, kTitleHeight + 20 + kPanelHeight + kPanelGap, evaluation, "pitch (deg)",
            [](const YawPitchRoll& a) { return a.pitch; }, false);
        drawLegend(plot, {kLeft, 56});
    }
    try {
        return cv::imwrite(path, plot);
    } catch (const cv::Exception&) {
        return false;
    }
}

}  // namespace rovuzu
