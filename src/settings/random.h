// The program's random numbers, uniform in [0, 1), seeded from the clock at
// start-up. Tests replace the source to fix the sequence.
#pragma once

#include <functional>
#include <random>

namespace settings {

class Random {
  public:
    void seed(double clockSeconds) {
        engine_.seed(static_cast<std::mt19937::result_type>(clockSeconds * 1000.0));
    }
    double next() {
        if (source_) return source_();
        return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
    }
    void setSource(std::function<double()> source) { source_ = std::move(source); }

  private:
    std::mt19937 engine_{12345};
    std::function<double()> source_;
};

}  // namespace settings
