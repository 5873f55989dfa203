// The video decoder on ffmpeg's libraries: libavformat reads the file,
// libavcodec decodes its picture stream and its sound, libswresample turns
// the sound into signed 16-bit samples and libswscale scales a picture into
// the layer's pixels. Only software decoding, and only what a build of
// ffmpeg reduced to a few formats (MP4, Matroska/WebM, AVI, MP3; H.264,
// MPEG-4, VP8, VP9, AAC, MP3, Vorbis, Opus) provides.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/time.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "video_decoder.h"

// The layer's picture: a reference to the decoder's frame.
struct PvPicture {
    AVFrame* frame = nullptr;
    ~PvPicture() { av_frame_free(&frame); }
};

namespace {

constexpr int64_t kOpenWaitUs = 5'000'000;  // longest the file may take to be read and examined
constexpr int kMaxSide = 8192;              // larger pictures are refused, not decoded

struct FormatClose {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwrFree {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
struct SwsFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatClose>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

// One decoded stream.
struct Stream {
    int index = -1;
    CodecPtr codec;
    AVRational time_base{1, 1};
    bool flushed = false;  // the end of the file was sent to the decoder
    bool done = false;     // the decoder has given its last frame
};

}  // namespace

struct PvDecoder {
    FormatPtr format;
    Stream picture;
    Stream sound;
    PacketPtr packet{av_packet_alloc()};
    FramePtr frame{av_frame_alloc()};
    std::unique_ptr<SwrContext, SwrFree> resampler;
    std::unique_ptr<SwsContext, SwsFree> scaler;
    std::vector<uint8_t> samples;
    double start = 0;            // the file's first time, seconds
    double picture_step = 0.04;  // one picture's time, seconds
    double next_picture = 0;     // a picture without a time shows after the one before
    double next_sound = 0;
    bool read_all = false;       // the file has no packet left
    int64_t deadline_us = 0;     // while opening: when reading gives up
    PvVideoInfo info{};
};

namespace {

void Why(char* why, int size, const std::string& text) {
    if (why && size > 0) std::snprintf(why, static_cast<size_t>(size), "%s", text.c_str());
}

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// Stops a file that takes too long to read while it is being opened (a
// broken file that the demuxer keeps searching).
int Interrupt(void* opaque) {
    const auto* d = static_cast<const PvDecoder*>(opaque);
    return d->deadline_us != 0 && av_gettime_relative() > d->deadline_us;
}

// Opens the decoder of the stream `index`; false when it has none.
bool OpenStream(PvDecoder& d, int index, Stream& s) {
    const AVStream* st = d.format->streams[index];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) return false;
    s.codec.reset(avcodec_alloc_context3(codec));
    if (!s.codec || avcodec_parameters_to_context(s.codec.get(), st->codecpar) < 0) return false;
    // One thread: the layer decodes on a thread of its own, and helper threads
    // cost more than they save on pictures of a few hundred pixels a side.
    s.codec->thread_count = 1;
    s.codec->pkt_timebase = st->time_base;
    if (avcodec_open2(s.codec.get(), codec, nullptr) < 0) {
        s.codec.reset();
        return false;
    }
    s.index = index;
    s.time_base = st->time_base;
    return true;
}

bool OpenPicture(PvDecoder& d) {
    const int index = av_find_best_stream(d.format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) return false;
    const AVCodecParameters* par = d.format->streams[index]->codecpar;
    if (par->width <= 0 || par->height <= 0 || par->width > kMaxSide || par->height > kMaxSide) return false;
    if (!OpenStream(d, index, d.picture)) return false;
    AVStream* st = d.format->streams[index];
    const AVRational rate = av_guess_frame_rate(d.format.get(), st, nullptr);
    if (rate.num > 0 && rate.den > 0 && av_q2d(rate) < 240) d.picture_step = 1.0 / av_q2d(rate);
    const AVRational sar = av_guess_sample_aspect_ratio(d.format.get(), st, nullptr);
    double width = par->width;
    if (sar.num > 0 && sar.den > 0) width = width * av_q2d(sar);
    d.info.has_picture = 1;
    d.info.width = std::clamp(static_cast<int>(width + 0.5), 1, kMaxSide);
    d.info.height = par->height;
    return true;
}

// Sound becomes signed 16-bit samples at the file's own rate, in mono or
// stereo; the sound card does the rest.
bool OpenSound(PvDecoder& d) {
    const int index = av_find_best_stream(d.format.get(), AVMEDIA_TYPE_AUDIO, -1, d.picture.index, nullptr, 0);
    if (index < 0 || !OpenStream(d, index, d.sound)) return false;
    const AVCodecContext* c = d.sound.codec.get();
    if (c->sample_rate <= 0) return false;
    AVChannelLayout in{};
    if (c->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || c->ch_layout.nb_channels <= 0) {
        av_channel_layout_default(&in, std::max(c->ch_layout.nb_channels, 1));
    } else if (av_channel_layout_copy(&in, &c->ch_layout) < 0) {
        return false;
    }
    const int channels = in.nb_channels >= 2 ? 2 : 1;
    AVChannelLayout out{};
    av_channel_layout_default(&out, channels);
    SwrContext* swr = nullptr;
    const int made = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_S16, c->sample_rate, &in, c->sample_fmt,
                                         c->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    d.resampler.reset(swr);
    if (made < 0 || swr_init(swr) < 0) return false;
    d.info.sample_rate = c->sample_rate;
    d.info.channels = channels;
    return true;
}

double Seconds(int64_t t, AVRational tb) { return static_cast<double>(t) * av_q2d(tb); }

// The time of the frame just decoded on stream `s`, from the file's start.
double FrameTime(const PvDecoder& d, const Stream& s, const AVFrame& f, double fallback) {
    const int64_t t = f.best_effort_timestamp != AV_NOPTS_VALUE ? f.best_effort_timestamp : f.pts;
    if (t == AV_NOPTS_VALUE) return fallback;
    return Seconds(t, s.time_base) - d.start;
}

// The frame just decoded as a picture piece; false when memory runs out.
bool PicturePiece(PvDecoder& d, PvPiece& piece) {
    auto picture = std::unique_ptr<PvPicture>(new (std::nothrow) PvPicture);
    if (!picture) return false;
    picture->frame = av_frame_alloc();
    if (!picture->frame) return false;
    av_frame_move_ref(picture->frame, d.frame.get());
    piece.kind = kPvPicture;
    piece.time = FrameTime(d, d.picture, *picture->frame, d.next_picture);
    piece.duration = d.picture_step;
    d.next_picture = piece.time + d.picture_step;
    piece.picture = picture.release();
    return true;
}

// The frame just decoded as a sound piece; false when it converts to nothing.
bool SoundPiece(PvDecoder& d, PvPiece& piece) {
    const AVFrame& f = *d.frame;
    const int room = swr_get_out_samples(d.resampler.get(), f.nb_samples);
    if (room <= 0) return false;
    d.samples.resize(static_cast<size_t>(room) * static_cast<size_t>(d.info.channels) * 2);
    uint8_t* out = d.samples.data();
    const int got = swr_convert(d.resampler.get(), &out, room, const_cast<const uint8_t**>(f.extended_data),
                                f.nb_samples);
    const double time = FrameTime(d, d.sound, f, d.next_sound);
    av_frame_unref(d.frame.get());
    if (got <= 0) return false;
    piece.kind = kPvSound;
    piece.time = time;
    piece.duration = static_cast<double>(got) / d.info.sample_rate;
    piece.samples = d.samples.data();
    piece.bytes = got * d.info.channels * 2;
    d.next_sound = time + piece.duration;
    return true;
}

// Takes a frame the decoder of `s` has ready; false when it has none now.
// A decoder that fails, or that wants more once the whole file was sent, is
// done.
bool Receive(PvDecoder& d, Stream& s, PvPiece& piece) {
    if (!s.codec || s.done) return false;
    for (;;) {
        const int r = avcodec_receive_frame(s.codec.get(), d.frame.get());
        if (r < 0) {
            if (r != AVERROR(EAGAIN) || s.flushed) s.done = true;
            return false;
        }
        if (&s == &d.picture ? PicturePiece(d, piece) : SoundPiece(d, piece)) return true;
    }
}

void Flush(Stream& s) {
    if (!s.codec || s.flushed) return;
    avcodec_send_packet(s.codec.get(), nullptr);
    s.flushed = true;
}

// Reads the next packet into its decoder; once the file has no more, tells
// the decoders so. A packet the decoder refuses (a damaged part of the file)
// is skipped.
void Feed(PvDecoder& d) {
    if (d.read_all) return;
    for (;;) {
        if (av_read_frame(d.format.get(), d.packet.get()) < 0) {
            d.read_all = true;
            Flush(d.picture);
            Flush(d.sound);
            return;
        }
        const int index = d.packet->stream_index;
        Stream* s = index == d.picture.index ? &d.picture : (index == d.sound.index ? &d.sound : nullptr);
        if (s && s->codec) avcodec_send_packet(s->codec.get(), d.packet.get());
        av_packet_unref(d.packet.get());
        if (s && s->codec) return;
    }
}

PvDecoder* Open(const char* path, int with_sound, char* why, int why_size) {
    auto d = std::unique_ptr<PvDecoder>(new (std::nothrow) PvDecoder);
    if (!d || !d->packet || !d->frame) {
        Why(why, why_size, "mémoire insuffisante");
        return nullptr;
    }
    av_log_set_level(AV_LOG_QUIET);
    AVFormatContext* format = avformat_alloc_context();
    if (!format) {
        Why(why, why_size, "mémoire insuffisante");
        return nullptr;
    }
    format->interrupt_callback = {Interrupt, d.get()};
    d->deadline_us = av_gettime_relative() + kOpenWaitUs;
    // Only the file itself: a name is never taken for a network address.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const std::string url = std::string("file:") + path;
    int r = avformat_open_input(&format, url.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (r < 0) {
        Why(why, why_size, "format inconnu ou fichier illisible (" + ErrorText(r) + ")");
        return nullptr;
    }
    d->format.reset(format);
    r = avformat_find_stream_info(format, nullptr);
    if (r < 0) {
        Why(why, why_size, "fichier illisible (" + ErrorText(r) + ")");
        return nullptr;
    }
    d->deadline_us = 0;
    OpenPicture(*d);
    if (with_sound) OpenSound(*d);
    if (!d->picture.codec && !d->sound.codec) {
        Why(why, why_size, "ni image ni son que ce lecteur sache décoder");
        return nullptr;
    }
    if (format->start_time != AV_NOPTS_VALUE) d->start = static_cast<double>(format->start_time) / AV_TIME_BASE;
    if (format->duration > 0) d->info.length = static_cast<double>(format->duration) / AV_TIME_BASE;
    return d.release();
}

void Describe(const PvDecoder* d, PvVideoInfo* info) { *info = d->info; }

bool Waiting(const PvDecoder& d) {
    return (d.picture.codec && !d.picture.done) || (d.sound.codec && !d.sound.done);
}

int Next(PvDecoder* d, PvPiece* piece) {
    *piece = PvPiece{};
    while (Waiting(*d)) {
        if (Receive(*d, d->picture, *piece) || Receive(*d, d->sound, *piece)) return 1;
        Feed(*d);  // once the file is read, the decoders give what they still hold
    }
    return 0;
}

int Scale(PvDecoder* d, const PvPicture* picture, void* pixels, int pitch, int w, int h) {
    const AVFrame* f = picture->frame;
    if (w <= 0 || h <= 0 || f->width <= 0 || f->height <= 0) return 0;
    SwsContext* sws = sws_getCachedContext(d->scaler.release(), f->width, f->height,
                                           static_cast<AVPixelFormat>(f->format), w, h, AV_PIX_FMT_0RGB32,
                                           SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    d->scaler.reset(sws);
    if (!sws) return 0;
    uint8_t* dst[4] = {static_cast<uint8_t*>(pixels), nullptr, nullptr, nullptr};
    const int dst_pitch[4] = {pitch, 0, 0, 0};
    return sws_scale(sws, f->data, f->linesize, 0, f->height, dst, dst_pitch) > 0 ? 1 : 0;
}

void Release(PvPicture* picture) { delete picture; }

void Close(PvDecoder* d) { delete d; }

constexpr PvVideoTable kTable = {kPvVersion, Open, Describe, Next, Scale, Release, Close};

}  // namespace

extern "C" const PvVideoTable* pivolette_video_table(void) {
    return &kTable;
}
