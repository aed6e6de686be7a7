// Reads picture files' pixels on a thread of its own, so that a screen can
// ask for its pictures a few frames before it shows them and the frame that
// first draws one only uploads it. A read that is waited for before the
// thread has begun it is done at once on the waiting thread instead.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Bitmap.h"
#include "platform/Gfx.h"

namespace gfx {

// A picture file whose pixels are read when it is first drawn with.
struct DeferredPicture {
    std::string path;
    bool keyed = false;
    TextureFormat format = TextureFormat::A8R8G8B8;
};

// Low-spec textures hold 4 bits a channel, or 5-6-5 without alpha.
void quantiseToFormat(bitmap::Image& image, TextureFormat format);
// A picture's pixels as its texture holds them: keyed, stretched to
// power-of-two sides, quantised to the format. bitmap::kOk or the failure.
int readTexturePixels(const DeferredPicture& picture, bitmap::Image& pixels);

// One picture's read, shared by the reader's thread and whoever waits for it.
struct PictureRead {
    DeferredPicture picture;
    bitmap::Image pixels;  // valid once done
    int result = bitmap::kOk;
    bool done = false;     // under the reader's lock
};

class PictureReader {
public:
    PictureReader() = default;
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;
    // Finishes the read in hand, drops the ones not begun, joins the thread.
    ~PictureReader();

    // Queues the read of `picture`; the thread starts with the first call.
    std::shared_ptr<PictureRead> start(DeferredPicture picture);
    // True once the read's pixels (or its failure) are in.
    bool done(const PictureRead& read);
    // Returns when the read is done: at once when it is, after the thread
    // when it is reading it, and having read it here when it was still queued.
    void wait(const std::shared_ptr<PictureRead>& read);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<PictureRead>> queue_;
    std::thread thread_;
    bool stopping_ = false;
};

}  // namespace gfx
