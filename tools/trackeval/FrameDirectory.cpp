#include "tools/trackeval/FrameDirectory.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <iostream>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <optional>
#include <system_error>

namespace rovuzu {
namespace {

constexpr double kRadians = CV_PI / 180.0;

std::optional<double> parseNumber(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::array<double, 4>> parseLine(const std::string& line) {
    std::array<double, 4> values{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t comma = line.find(',', start);
        const bool last = i + 1 == values.size();
        if (last != (comma == std::string::npos)) {
            return std::nullopt;
        }
        const auto value = parseNumber(line.substr(start, comma - start));
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
        start = comma + 1;
    }
    return values;
}

std::vector<std::filesystem::path> pngsIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> pictures;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (entry.is_regular_file() && extension == ".png") {
            pictures.push_back(entry.path());
        }
    }
    std::sort(pictures.begin(), pictures.end());
    return pictures;
}

}  // namespace

FrameDirectory::FrameDirectory(std::vector<std::filesystem::path> pictures,
                               std::vector<Truth> truth, double fieldOfViewDegrees,
                               std::string name)
    : pictures_(std::move(pictures)),
      truth_(std::move(truth)),
      fieldOfViewDegrees_(fieldOfViewDegrees),
      name_(std::move(name)) {}

FrameDirectory::Opened FrameDirectory::open(const std::filesystem::path& folder,
                                            const std::filesystem::path& truthFile,
                                            double fieldOfViewDegrees, std::string name) {
    std::vector<std::filesystem::path> pictures = pngsIn(folder);
    if (pictures.empty()) {
        return {nullptr, folder.string() + ": no PNG pictures in this folder"};
    }
    std::ifstream in(truthFile);
    if (!in) {
        return {nullptr, truthFile.string() + ": cannot read the file"};
    }
    std::vector<Truth> truth;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        const auto values = parseLine(line);
        if (!values) {
            if (number == 1) {
                continue;  // a header
            }
            return {nullptr, truthFile.string() + ": line " + std::to_string(number) +
                                 " is not time,yaw_deg,pitch_deg,roll_deg"};
        }
        const auto& [time, yaw, pitch, roll] = *values;
        truth.push_back({time, {yaw * kRadians, pitch * kRadians, roll * kRadians}});
    }
    if (truth.size() != pictures.size()) {
        return {nullptr, truthFile.string() + ": " + std::to_string(truth.size()) +
                             " lines of truth for " + std::to_string(pictures.size()) +
                             " pictures in " + folder.string()};
    }
    return {std::unique_ptr<FrameDirectory>(new FrameDirectory(
                std::move(pictures), std::move(truth), fieldOfViewDegrees, std::move(name))),
            {}};
}

bool FrameDirectory::frame(int index, CameraFrame& picture, glm::dmat3& truth) {
    const std::string file = pictures_[static_cast<std::size_t>(index)].string();
    const cv::Mat bgr = cv::imread(file, cv::IMREAD_COLOR);
    if (bgr.empty()) {
        std::cerr << "rovuzu: " << file << ": cannot read the picture\n";
        return false;
    }
    const Truth& known = truth_[static_cast<std::size_t>(index)];
    truth = rotationFromYawPitchRoll(known.angles);
    picture.width = bgr.cols;
    picture.height = bgr.rows;
    picture.time = known.time;
    picture.rgb.resize(static_cast<std::size_t>(bgr.total()) * 3);
    cv::Mat rgb(bgr.rows, bgr.cols, CV_8UC3, picture.rgb.data());
    cv::cvtColor(bgr, rgb, cv::COLOR_BGR2RGB);
    return true;
}

}  // namespace rovuzu
