#pragma once
// The pictures one run draws, by the path they are written to under the
// resources folder, and how they are written out.

#include <QImage>
#include <map>
#include <string>

namespace banmen::art {

class ArtworkSet {
  public:
    // A BMP picture; `picture` must already be opaque (keyed or not).
    void addBitmap(const std::string& path, const QImage& picture);
    // A PNG picture with an alpha channel (the program icon).
    void addPng(const std::string& path, const QImage& picture);

    // Writes every picture under `root`, then the resource list of the
    // embedded ones. False on the first failure, with `error` saying where.
    bool writeAll(const std::string& root, std::string& error) const;

    const std::map<std::string, QImage>& pictures() const { return pictures_; }

  private:
    std::map<std::string, QImage> pictures_;  // sorted: the same order every run
};

// A picture as a 24-bit BI_RGB BMP file, rows bottom-up.
QByteArray encodeBmp24(const QImage& picture);

}  // namespace banmen::art
