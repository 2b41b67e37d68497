#include "support/dcl_corpus.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

namespace mw::bench {

namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    unsigned below(unsigned n) { return static_cast<unsigned>(next() % n); }
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }

private:
    std::uint64_t state_;
};

constexpr double pi = 3.14159265358979323846;

// Smooth noise in [0, 1): random values on a grid, interpolated.
class ValueNoise {
public:
    ValueNoise(Random& random, int cell) : cell_(cell)
    {
        for (auto& v : grid_) v = random.unit();
    }
    double at(int x, int y) const
    {
        const double fx = double(x) / cell_, fy = double(y) / cell_;
        const int ix = int(fx), iy = int(fy);
        const double tx = fx - ix, ty = fy - iy;
        const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
        const double a = grid(ix, iy) + (grid(ix + 1, iy) - grid(ix, iy)) * sx;
        const double b = grid(ix, iy + 1) + (grid(ix + 1, iy + 1) - grid(ix, iy + 1)) * sx;
        return a + (b - a) * sy;
    }

private:
    double grid(int x, int y) const { return grid_[(y & 31) * 32 + (x & 31)]; }
    int cell_;
    std::array<double, 32 * 32> grid_{};
};

// 256 x 256 palette-index textures in 64 x 64 blocks of different styles.
void palette_image(Random& random, Bytes& out)
{
    constexpr int size = 256, block = 64;
    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    Bytes image(size * size);
    for (int by = 0; by < size; by += block) {
        for (int bx = 0; bx < size; bx += block) {
            const unsigned style = random.below(4);
            const int ramp = 16 * static_cast<int>(random.below(15));
            ValueNoise noise(random, 8 + static_cast<int>(random.below(24)));
            std::array<std::uint8_t, 64> tile{};
            for (auto& t : tile) t = static_cast<std::uint8_t>(ramp + random.below(6));
            for (int y = by; y < by + block; ++y) {
                for (int x = bx; x < bx + block; ++x) {
                    int index = ramp;
                    switch (style) {
                    case 0:  // vertical gradient over 16 indices, ordered dither
                        index = ramp + std::min(15, ((y - by) * 16 * 16 / block + bayer[y & 3][x & 3]) / 16);
                        break;
                    case 1:  // smooth field with a little noise
                        index = ramp + int(noise.at(x, y) * 14) + int(random.below(8) == 0);
                        break;
                    case 2:  // repeated 8 x 8 tile
                        index = tile[(y & 7) * 8 + (x & 7)];
                        break;
                    default:  // flat with sparse detail
                        index = ramp + (random.below(40) == 0 ? int(random.below(16)) : 3);
                        break;
                    }
                    image[y * size + x] = static_cast<std::uint8_t>(index);
                }
            }
        }
    }
    out.insert(out.end(), image.begin(), image.end());
}

void put_u16_le(Bytes& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// 128 x 256 RGB565 images: bands of smooth colour, flat colour and gradients.
void rgb565_image(Random& random, Bytes& out)
{
    constexpr int width = 128, height = 256, band = 32;
    for (int top = 0; top < height; top += band) {
        const unsigned style = random.below(3);
        ValueNoise red(random, 16), green(random, 24), blue(random, 32);
        const unsigned flat = random.below(0x10000);
        for (int y = top; y < top + band; ++y) {
            for (int x = 0; x < width; ++x) {
                unsigned r = 0, g = 0, b = 0;
                if (style == 0) {
                    r = unsigned(red.at(x, y) * 31);
                    g = std::min(63u, unsigned(green.at(x, y) * 63) + random.below(2));
                    b = unsigned(blue.at(x, y) * 31);
                } else if (style == 1) {
                    put_u16_le(out, flat);
                    continue;
                } else {
                    r = unsigned(x * 31 / width);
                    g = unsigned((y - top) * 63 / band);
                    b = 12;
                }
                put_u16_le(out, (r << 11) | (g << 5) | b);
            }
        }
    }
}

// 16-bit mono speech-like sound at 22,050 Hz: voiced sounds with harmonics,
// hiss and pauses.
void pcm_sound(Random& random, Bytes& out, std::size_t bytes)
{
    const std::size_t end = out.size() + bytes;
    double phase = 0;
    while (out.size() + 2 <= end) {
        const unsigned kind = random.below(5);
        const int samples = 800 + static_cast<int>(random.below(4000));
        const double pitch = 90 + random.unit() * 160;
        const double loudness = 1500 + random.unit() * 9000;
        for (int i = 0; i < samples && out.size() + 2 <= end; ++i) {
            const double envelope = std::sin(pi * i / samples);
            double v = 0;
            if (kind <= 2) {
                phase += 2 * pi * pitch / 22050;
                for (int h = 1; h <= 6; ++h) v += std::sin(h * phase) / h;
                v *= loudness * envelope;
                v += double(random.below(64)) - 32;
            } else if (kind == 3) {
                v = (random.unit() - 0.5) * loudness * 0.3 * envelope;
            } else {
                v = double(random.below(5)) - 2;
            }
            put_u16_le(out, static_cast<unsigned>(static_cast<int>(std::lround(std::clamp(v, -32768.0, 32767.0)))) & 0xFFFF);
        }
    }
}

void english_text(Random& random, Bytes& out, std::size_t bytes)
{
    static const char* const words[] = {
        "the", "of", "and", "to", "a", "in", "is", "that", "for", "it", "as", "was", "with", "be", "by", "on", "not",
        "he", "this", "are", "or", "his", "from", "at", "which", "but", "have", "an", "had", "they", "you", "were",
        "their", "one", "all", "we", "can", "her", "has", "there", "been", "if", "more", "when", "will", "would",
        "who", "so", "no", "aircraft", "engine", "pilot", "wing", "fuel", "altitude", "speed", "landing", "gear",
        "runway", "tower", "cloud", "weather", "flight", "control", "throttle", "rudder", "aileron", "flaps",
        "squadron", "mission", "target", "enemy", "formation", "heading", "north", "south", "climb", "descend",
        "turn", "left", "right", "before", "after", "during", "between", "through", "under", "over", "against",
        "should", "could", "must", "may", "might", "always", "never", "often", "again", "still", "only", "also",
        "time", "people", "year", "way", "day", "thing", "man", "world", "life", "hand", "part", "place", "case",
        "point", "government", "company", "number", "group", "problem", "fact", "license", "work", "source",
        "distribution", "copyright", "software", "program", "terms", "conditions", "permission", "notice"};
    constexpr std::size_t word_count = sizeof words / sizeof words[0];
    const std::size_t end = out.size() + bytes;
    int sentence_words = 0, paragraph_sentences = 0;
    bool capital = true;
    while (out.size() < end) {
        // Zipf-like choice: small indices far more often.
        const double u = random.unit();
        const std::size_t index = std::min(word_count - 1, static_cast<std::size_t>(std::pow(u, 2.2) * word_count));
        std::string word = words[index];
        if (capital) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        capital = false;
        out.insert(out.end(), word.begin(), word.end());
        ++sentence_words;
        if (sentence_words > 4 && random.below(12) == 0) {
            out.push_back('.');
            capital = true;
            sentence_words = 0;
            if (++paragraph_sentences > 3 && random.below(4) == 0) {
                out.push_back('\r');
                out.push_back('\n');
                out.push_back('\r');
                out.push_back('\n');
                paragraph_sentences = 0;
                continue;
            }
        } else if (random.below(14) == 0) {
            out.push_back(',');
        }
        out.push_back(' ');
    }
    out.resize(end);
}

// Functions of typical x86 instructions: prologues, moves to and from the
// stack frame, calls, compares and branches, epilogues and alignment padding.
void machine_code(Random& random, Bytes& out, std::size_t bytes)
{
    const std::size_t end = out.size() + bytes;
    auto put = [&](std::initializer_list<unsigned> b) {
        for (unsigned v : b) out.push_back(static_cast<std::uint8_t>(v));
    };
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    while (out.size() < end) {
        put({0x55, 0x48, 0x89, 0xE5});
        put({0x48, 0x83, 0xEC, 8u * (1 + random.below(8))});
        const unsigned body = 5 + random.below(40);
        for (unsigned i = 0; i < body; ++i) {
            const unsigned reg = random.below(4);
            const unsigned slot = 0x100 - 8 * (1 + random.below(6));
            switch (random.below(10)) {
            case 0: put({0xB8 + reg}); put32(random.below(4) == 0 ? random.below(0x10000) : random.below(16)); break;
            case 1: put({0x89, 0x45 + 8 * reg, slot}); break;
            case 2: put({0x8B, 0x45 + 8 * reg, slot}); break;
            case 3: put({0xE8}); put32(static_cast<std::uint32_t>(static_cast<int>(random.below(0x20000)) - 0x10000)); break;
            case 4: put({0x48, 0x8D, 0x3D}); put32(random.below(0x40000)); break;
            case 5: put({0x83, 0xF8, random.below(32)}); break;
            case 6: put({0x70u + std::array<unsigned, 4>{4, 5, 0xE, 0xF}[reg], random.below(0x40)}); break;
            case 7: put({0x85, 0xC0}); break;
            case 8: put({0x31, 0xC0 + 9 * reg}); break;
            default: put({0x48, 0x8B, 0x45 + 8 * reg, slot}); break;
            }
        }
        put({0xC9, 0xC3});
        while (out.size() % 16 != 0) out.push_back(random.below(2) ? 0x90 : 0xCC);
    }
    out.resize(end);
}

// A gradient over `levels` palette indices, ordered-dithered with a 4 x 4
// matrix: the rows' patterns repeat every 4 rows, so whole runs of rows
// repeat at 4 x `width` bytes back (64 for a 16-pixel-wide image).
Bytes dithered_image(int width, int height, int levels, bool vertical)
{
    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    Bytes image;
    image.reserve(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int along = vertical ? y * levels * 16 / height : x * levels * 16 / width;
            image.push_back(static_cast<std::uint8_t>(16 + std::min(levels - 1, (along + bayer[y & 3][x & 3]) / 16)));
        }
    }
    return image;
}

// Filler that repeats no byte pair within 256 bytes (steps of 37), with the
// pair 01 03 again at distance 256, 02 09 at distance 257 (one too far) and
// 04 0B at distance 12.
Bytes far_pairs()
{
    Bytes out;
    unsigned filler = 5;
    auto fill = [&](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(filler += 37));
    };
    out = {0x01, 0x03};
    fill(254);
    out.insert(out.end(), {0x01, 0x03, 0x02, 0x09});
    fill(253);
    out.insert(out.end(), {0x02, 0x09, 0x04, 0x0B});
    fill(8);
    out.insert(out.end(), {0x04, 0x0B});
    return out;
}

}  // namespace

std::vector<CorpusPart> make_hard_inputs()
{
    std::vector<CorpusPart> inputs;
    for (const auto& [width, levels, vertical] :
         {std::tuple{16, 2, true}, {16, 4, true}, {16, 16, true}, {32, 4, true}, {64, 4, true}, {64, 16, false}}) {
        const std::string name = "dither" + std::to_string(width) + "x" + std::to_string(1024 / width) + "-" +
                                 std::to_string(levels) + (vertical ? "v" : "h");
        inputs.push_back({name, dithered_image(width, 1024 / width, levels, vertical)});
    }
    for (const std::size_t size : {std::size_t{1024}, std::size_t{10 * 1024}, std::size_t{64 * 1024}}) {
        Random random(size);
        CorpusPart code{"code" + std::to_string(size / 1024) + "k", {}};
        machine_code(random, code.data, size);
        inputs.push_back(std::move(code));
    }
    inputs.push_back({"far-pairs", far_pairs()});
    return inputs;
}

std::vector<CorpusPart> make_corpus(std::size_t part_size)
{
    std::vector<CorpusPart> parts;
    parts.reserve(6);  // part() hands out references into it
    Random random(0x4D61727277696B);
    auto part = [&](const char* kind) -> Bytes& {
        parts.push_back({kind, {}});
        parts.back().data.reserve(part_size + 64 * 1024);
        return parts.back().data;
    };

    Bytes& palette = part("palette8");
    while (palette.size() < part_size) palette_image(random, palette);
    palette.resize(part_size);

    Bytes& rgb = part("rgb565");
    while (rgb.size() < part_size) rgb565_image(random, rgb);
    rgb.resize(part_size);

    pcm_sound(random, part("pcm16"), part_size);
    english_text(random, part("text"), part_size);
    machine_code(random, part("x86"), part_size);

    Bytes& noise = part("random");
    for (std::size_t i = 0; i < part_size; ++i) noise.push_back(static_cast<std::uint8_t>(random.next()));
    return parts;
}

}  // namespace mw::bench
