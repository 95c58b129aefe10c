// DibBitmap: making, loading, attaching and freeing; queries; the lock and
// the drawing bracket.

#include "media/dib_bitmap.h"

#include <QFile>
#include <algorithm>
#include <bit>
#include <cstring>

#include "media/bitmap_dc.h"
#include "media/bmp_reader.h"
#include "media/bmp_writer.h"
#include "media/dib_lock.h"
#include "media/pixel_format.h"
#include "platform/files.h"

namespace banmen {
namespace {

constexpr std::string_view kCreated = "CREATE_BITMAP|ALLOC_INFO";
constexpr std::string_view kAttached = "ATTACH_BITMAP|ALLOC_INFO";
constexpr std::string_view kResource = "RESOURCE_BITMAP";
constexpr std::string_view kLoadedSuffix = "|ALLOC_INFO|LOAD_FILE";

bool hasWord(const std::string& origin, std::string_view word) {
    std::size_t start = 0;
    while (start <= origin.size()) {
        std::size_t end = origin.find('|', start);
        if (end == std::string::npos) {
            end = origin.size();
        }
        if (std::string_view(origin).substr(start, end - start) == word) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

void setReason(Status* why, Status status) {
    if (why != nullptr) {
        *why = std::move(status);
    }
}

// Masks that are runs of bits, apart from each other, inside the pixel. A
// channel may have none (it reads as 0), not all three.
bool masksValid(const std::array<std::uint32_t, 3>& masks, std::uint32_t bits) {
    std::uint32_t seen = 0;
    for (std::uint32_t mask : masks) {
        if (mask == 0) {
            continue;
        }
        if ((seen & mask) != 0 || (bits == 16 && (mask >> 16) != 0)) {
            return false;
        }
        const std::uint32_t run = mask >> std::countr_zero(mask);
        if ((run & (run + 1)) != 0) {
            return false;
        }
        seen |= mask;
    }
    return seen != 0;
}

}  // namespace

DibBitmap::DibBitmap() : state_(std::make_unique<DrawState>()) {}

DibBitmap::~DibBitmap() {
    Free();
}

bool DibBitmap::adopt(const BitmapInfo& source, std::vector<std::uint8_t> ownBits,
                      std::uint8_t* externalBits, Colour transparent, std::string origin,
                      Status* why) {
    BitmapInfo info = source;
    const std::int64_t rows = info.height < 0 ? -std::int64_t{info.height} : info.height;
    if (!IsDibDepth(info.bitCount)) {
        setReason(why, Status::error("unsupported depth " + std::to_string(info.bitCount)));
        return false;
    }
    if (info.width <= 0 || rows <= 0 || info.width > kMaxDibSide || rows > kMaxDibSide) {
        setReason(why, Status::error("size " + std::to_string(info.width) + " x " +
                                     std::to_string(rows) + " outside 1..16384"));
        return false;
    }
    if (info.compression == kBiBitfields) {
        if ((info.bitCount != 16 && info.bitCount != 32) ||
            !masksValid(info.masks, info.bitCount)) {
            setReason(why, Status::error("bad colour masks"));
            return false;
        }
    } else if (info.compression == kBiRgb) {
        if (info.bitCount == 16) {
            info.masks = kMasks555;
        } else if (info.bitCount == 32) {
            info.masks = kMasks888;
        }
    } else {
        setReason(why, Status::error("compressed pixels"));
        return false;
    }
    info.headerSize = 40;
    info.planes = 1;
    if (info.bitCount <= 8) {
        const std::uint32_t entries = info.tableSize();
        std::fill(info.colours.begin() + entries, info.colours.end(), RgbQuad{});
        info.colorsUsed = entries;
    } else {
        info.colorsUsed = 0;
        info.colours = {};
    }
    const std::size_t stride = DibStride(info.width, info.bitCount);
    const std::size_t size = stride * static_cast<std::size_t>(rows);
    info.sizeImage = static_cast<std::uint32_t>(size);

    info_ = info;
    width_ = info.width;
    height_ = static_cast<std::int32_t>(rows);
    stride_ = stride;
    if (externalBits != nullptr) {
        bits_ = externalBits;
    } else {
        ownBits_ = std::move(ownBits);
        ownBits_.resize(size, 0);
        bits_ = ownBits_.data();
    }
    format_ = std::make_unique<PixelFormat>(info_);
    // Loaded and attached pictures count 2^bits colours whatever their table
    // holds; Create from an info takes the info's own count (below).
    colourCount_ = info.bitCount <= 8    ? 1u << info.bitCount
                   : info.bitCount == 16 ? 65536
                                         : 16777216;
    origin_ = std::move(origin);
    SetTransparentColor(transparent);
    return true;
}

bool DibBitmap::Create(int bitsPerPixel, int width, int height, Colour transparent) {
    BitmapInfo info;
    const auto bits = static_cast<std::uint32_t>(bitsPerPixel == 0 ? 32 : bitsPerPixel);
    if (bitsPerPixel < 0 || !BuildBitmapInfo(bits, width, height, info)) {
        Free();
        return false;
    }
    return Create(info, nullptr, transparent);
}

bool DibBitmap::Create(const BitmapInfo& info, const void* initialBits, Colour transparent) {
    LockGuard lock(*this);
    Free();
    if (!adopt(info, {}, nullptr, kNoColour, std::string(kCreated), nullptr)) {
        return false;
    }
    if (info_.bitCount <= 8) {
        colourCount_ = info_.tableSize();
    }
    if (initialBits != nullptr) {
        std::memcpy(bits_, initialBits, stride_ * static_cast<std::size_t>(height_));
    }
    SetTransparentColor(transparent);
    return true;
}

bool DibBitmap::LoadFile(const std::string& path, Colour transparent, Status* why) {
    LockGuard lock(*this);
    Free();
    if (!FileExists(path)) {
        setReason(why, Status::error("file not found"));
        return false;
    }
    DibImage image;
    if (Status read = ReadBmpFile(path, image); !read) {
        setReason(why, read);
        return false;
    }
    return adopt(image.info, std::move(image.bits), nullptr, transparent,
                 path + std::string(kLoadedSuffix), why);
}

bool DibBitmap::LoadResource(int id, Colour transparent, Status* why) {
    return LoadResource(std::to_string(id), transparent, why);
}

bool DibBitmap::LoadResource(std::string_view name, Colour transparent, Status* why) {
    LockGuard lock(*this);
    Free();
    std::string stem(name);
    if (stem.size() > 1 && stem[0] == '#' &&
        std::all_of(stem.begin() + 1, stem.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        stem.erase(0, 1);
    }
    QFile file(QStringLiteral(":/bitmaps/") + QString::fromStdString(stem) +
               QStringLiteral(".bmp"));
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(why, Status::error("no picture resource \"" + stem + "\""));
        return false;
    }
    const QByteArray bytes = file.readAll();
    DibImage image;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (Status read = ReadBmp({data, static_cast<std::size_t>(bytes.size())}, image); !read) {
        setReason(why, read.withContext("picture resource \"" + stem + "\""));
        return false;
    }
    return adopt(image.info, std::move(image.bits), nullptr, transparent, std::string(kResource),
                 why);
}

bool DibBitmap::Attach(QImage& image, Colour transparent) {
    LockGuard lock(*this);
    Free();
    if (image.isNull()) {
        return false;
    }
    BitmapInfo info;
    std::uint32_t bits = 0;
    switch (image.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            bits = 32;
            break;
        case QImage::Format_RGB16:
            bits = 16;
            info.compression = kBiBitfields;
            info.masks = kMasks565;
            break;
        case QImage::Format_RGB555:
            bits = 16;
            break;
        case QImage::Format_BGR888:
            bits = 24;
            break;
        case QImage::Format_Indexed8:
        case QImage::Format_Mono: {
            bits = image.format() == QImage::Format_Mono ? 1 : 8;
            const QList<QRgb> table = image.colorTable();
            const auto entries =
                std::min(static_cast<std::size_t>(table.size()), std::size_t{1} << bits);
            for (std::size_t i = 0; i < entries; ++i) {
                const QRgb c = table[static_cast<qsizetype>(i)];
                info.colours[i] = RgbQuad{static_cast<std::uint8_t>(qBlue(c)),
                                          static_cast<std::uint8_t>(qGreen(c)),
                                          static_cast<std::uint8_t>(qRed(c)), 0};
            }
            info.colorsUsed = static_cast<std::uint32_t>(std::max<std::size_t>(entries, 1));
            break;
        }
        default:
            return false;
    }
    info.bitCount = static_cast<std::uint16_t>(bits);
    info.width = image.width();
    info.height = -image.height();
    if (static_cast<std::size_t>(image.bytesPerLine()) != DibStride(info.width, bits)) {
        return false;
    }
    std::uint8_t* memory = image.bits();  // detaches the caller's image from shared copies
    if (!adopt(info, {}, memory, kNoColour, std::string(kAttached), nullptr)) {
        return false;
    }
    attached_ = &image;
    SetTransparentColor(transparent);
    return true;
}

bool DibBitmap::Attach(std::span<const std::uint8_t> packedDib, Colour transparent) {
    LockGuard lock(*this);
    Free();
    DibImage image;
    if (packedDib.empty() || !ReadPackedDib(packedDib, image)) {
        return false;
    }
    return adopt(image.info, std::move(image.bits), nullptr, transparent, std::string(kCreated),
                 nullptr);
}

void DibBitmap::Free() {
    LockGuard lock(*this);
    if (bits_ != nullptr) {
        if (hasWord(origin_, "ATTACH_BITMAP")) {
            attached_ = nullptr;  // the memory is the caller's
        } else {
            // Created, loaded and resource bitmaps own their memory.
            std::vector<std::uint8_t>().swap(ownBits_);
        }
        bits_ = nullptr;
    }
    if (hasWord(origin_, "ALLOC_INFO") || hasWord(origin_, "RESOURCE_BITMAP")) {
        info_ = BitmapInfo{};
    }
    mask_.reset();
    format_.reset();
    width_ = 0;
    height_ = 0;
    stride_ = 0;
    colourCount_ = 0;
    origin_.clear();
}

QImage DibBitmap::Detach() {
    LockGuard lock(*this);
    QImage image = ToImage();
    Free();
    return image;
}

std::uint8_t* DibBitmap::RowBits(int y) {
    const auto row = static_cast<std::size_t>(IsTopDown() ? y : height_ - 1 - y);
    return bits_ + row * stride_;
}

const std::uint8_t* DibBitmap::RowBits(int y) const {
    const auto row = static_cast<std::size_t>(IsTopDown() ? y : height_ - 1 - y);
    return bits_ + row * stride_;
}

void DibBitmap::Lock() {
    lock_.lock();
    lockOwner_ = std::this_thread::get_id();
    ++lockDepth_;
}

void DibBitmap::Unlock() {
    if (lockOwner_.load() != std::this_thread::get_id() || lockDepth_ == 0) {
        return;
    }
    if (--lockDepth_ == 0) {
        lockOwner_ = std::thread::id();
    }
    lock_.unlock();
}

bool DibBitmap::BeginDraw() {
    Lock();
    if (IsEmpty()) {
        Unlock();
        return false;
    }
    ++drawBrackets_;
    return true;
}

void DibBitmap::EndDraw() {
    if (drawBrackets_ == 0) {
        return;
    }
    --drawBrackets_;
    Unlock();
}

bool DibBitmap::SaveFile(const std::string& path, Status* why) const {
    if (IsEmpty()) {
        setReason(why, Status::error("no picture to save"));
        return false;
    }
    const std::vector<std::uint8_t> packed = PackDib(info_, bits_);
    const std::vector<std::uint8_t> header = BmpFileHeader(info_, packed.size());
    Status written = WriteTwoBlocks(path, header, packed);
    const bool ok = written.isOk();
    setReason(why, std::move(written));
    return ok;
}

}  // namespace banmen
