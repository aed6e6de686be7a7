#include "platform/gl/GlPictureReader.h"

#include <algorithm>
#include <utility>

namespace gfx {
void quantiseToFormat(bitmap::Image& image, TextureFormat format) {
    if (format == TextureFormat::A4R4G4B4) bitmap::quantiseA4R4G4B4(image);
    if (format == TextureFormat::R5G6B5) bitmap::quantiseR5G6B5(image);
}

int readTexturePixels(const DeferredPicture& picture, bitmap::Image& pixels) {
    bitmap::Image image;
    const int r = bitmap::readBmpFile(picture.path, image);
    if (r != bitmap::kOk) return r;
    if (picture.keyed) bitmap::applyColourKey(image);
    if (image.width == bitmap::nextPowerOfTwo(image.width) && image.height == bitmap::nextPowerOfTwo(image.height)) {
        pixels = std::move(image);  // already a power of two: no copy
    } else {
        pixels = bitmap::stretchToPowerOfTwo(image);
    }
    quantiseToFormat(pixels, picture.format);
    return bitmap::kOk;
}

PictureReader::~PictureReader() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

std::shared_ptr<PictureRead> PictureReader::start(DeferredPicture picture) {
    auto read = std::make_shared<PictureRead>();
    read->picture = std::move(picture);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(read);
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    changed_.notify_all();
    return read;
}

bool PictureReader::done(const PictureRead& read) {
    std::lock_guard<std::mutex> lock(mutex_);
    return read.done;
}

void PictureReader::wait(const std::shared_ptr<PictureRead>& read) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto queued = std::find(queue_.begin(), queue_.end(), read);
    if (queued != queue_.end()) {
        // Not begun: waiting behind the others would cost more than reading it.
        queue_.erase(queued);
        lock.unlock();
        read->result = readTexturePixels(read->picture, read->pixels);
        lock.lock();
        read->done = true;
        return;
    }
    changed_.wait(lock, [&] { return read->done; });
}

void PictureReader::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        const std::shared_ptr<PictureRead> read = queue_.front();
        queue_.pop_front();
        lock.unlock();
        bitmap::Image pixels;
        const int result = readTexturePixels(read->picture, pixels);
        lock.lock();
        read->pixels = std::move(pixels);
        read->result = result;
        read->done = true;
        changed_.notify_all();
    }
}

}  // namespace gfx
