#include "artwork_set.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <set>

namespace banmen::art {
namespace {

void putU16(QByteArray& out, unsigned v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void putU32(QByteArray& out, unsigned v) {
    putU16(out, v & 0xFFFF);
    putU16(out, (v >> 16) & 0xFFFF);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(bytes) == bytes.size() && file.flush();
}

// Folders whose pictures all come from this tool: anything there that the
// run did not draw is a leftover of an older run.
const char* const kOwnedFolders[] = {"bitmaps", "default-images", "icons"};

QByteArray resourceList(const std::map<std::string, QImage>& pictures) {
    QByteArray text = "<!-- Written by make-artwork; do not edit. -->\n<RCC>\n";
    const std::pair<const char*, const char*> groups[] = {{"bitmaps/", "/bitmaps"},
                                                          {"icons/", "/icons"}};
    for (const auto& [folder, prefix] : groups) {
        text += "    <qresource prefix=\"";
        text += prefix;
        text += "\">\n";
        const std::string start = folder;
        for (const auto& entry : pictures) {
            const std::string& path = entry.first;
            if (path.compare(0, start.size(), start) != 0) {
                continue;
            }
            text += "        <file alias=\"" +
                    QByteArray::fromStdString(path.substr(start.size())) + "\">" +
                    QByteArray::fromStdString(path) + "</file>\n";
        }
        text += "    </qresource>\n";
    }
    text += "</RCC>\n";
    return text;
}

}  // namespace

void ArtworkSet::addBitmap(const std::string& path, const QImage& picture) {
    pictures_[path] = picture.convertToFormat(QImage::Format_RGB32);
}

void ArtworkSet::addPng(const std::string& path, const QImage& picture) {
    pictures_[path] = picture.convertToFormat(QImage::Format_ARGB32);
}

QByteArray encodeBmp24(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const unsigned width = static_cast<unsigned>(image.width());
    const unsigned height = static_cast<unsigned>(image.height());
    const unsigned stride = (width * 3 + 3) & ~3u;
    const unsigned pixelBytes = stride * height;
    constexpr unsigned kHeaders = 14 + 40;
    QByteArray out;
    out.reserve(static_cast<qsizetype>(kHeaders + pixelBytes));
    // BITMAPFILEHEADER
    out.append("BM", 2);
    putU32(out, kHeaders + pixelBytes);
    putU32(out, 0);
    putU32(out, kHeaders);
    // BITMAPINFOHEADER: 24 bits, BI_RGB, 96 dpi, no colour table.
    putU32(out, 40);
    putU32(out, width);
    putU32(out, height);
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0);
    putU32(out, pixelBytes);
    putU32(out, 3780);
    putU32(out, 3780);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
        }
        for (unsigned pad = width * 3; pad < stride; ++pad) {
            out.append('\0');
        }
    }
    return out;
}

bool ArtworkSet::writeAll(const std::string& root, std::string& error) const {
    const QDir base(QString::fromStdString(root));
    std::set<QString> written;
    for (const auto& [path, picture] : pictures_) {
        const QString target = base.filePath(QString::fromStdString(path));
        if (!QDir().mkpath(QFileInfo(target).path())) {
            error = "cannot create the folder of " + target.toStdString();
            return false;
        }
        QByteArray bytes;
        if (target.endsWith(QLatin1String(".png"))) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            if (!picture.save(&buffer, "PNG", 0)) {
                error = "cannot encode " + path;
                return false;
            }
        } else {
            bytes = encodeBmp24(picture);
        }
        if (!writeFile(target, bytes)) {
            error = "cannot write " + target.toStdString();
            return false;
        }
        written.insert(QFileInfo(target).absoluteFilePath());
    }
    for (const char* folder : kOwnedFolders) {
        const QDir dir(base.filePath(QString::fromLatin1(folder)));
        const QStringList leftovers =
            dir.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.png")}, QDir::Files);
        for (const QString& name : leftovers) {
            const QString full = QFileInfo(dir.filePath(name)).absoluteFilePath();
            if (written.count(full) == 0) {
                QFile::remove(full);
            }
        }
    }
    if (!writeFile(base.filePath(QStringLiteral("bitmaps.qrc")), resourceList(pictures_))) {
        error = "cannot write bitmaps.qrc";
        return false;
    }
    return true;
}

}  // namespace banmen::art
