// Writes the library's seismic wave records: synthetic accelerograms by the formula of
// README.md, three per site class I to IV and one in the user class, with the index file
// of each class, below the folder given (as Wave/).
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct SClass
{
    const char* dir;     // record folder and index suffix
    const char* tag;     // in the record names
    double f0;           // dominant frequency, Hz
    int records;
};

const SClass kClasses[] = {
    {"I", "I", 5.0, 3}, {"II", "II", 3.0, 3}, {"III", "III", 2.0, 3}, {"IV", "IV", 1.2, 3}, {"User", "USER", 2.5, 1},
};

constexpr double kStep = 0.02;   // s
constexpr double kLength = 20.0; // s
constexpr int kSines = 6;
constexpr double kRise = 2.0, kHold = 8.0, kDecay = 0.3;
constexpr double kPi = 3.14159265358979323846;

// The C library's classic generator, written out so every platform draws the same numbers.
struct CLcg
{
    unsigned long long x;
    double Next()
    {
        x = (1103515245ULL * x + 12345ULL) % 2147483648ULL;
        return (double)x / 2147483648.0;
    }
};

double Envelope(double t)
{
    if (t < kRise)
        return (t / kRise) * (t / kRise);
    if (t <= kHold)
        return 1.0;
    return std::exp(-kDecay * (t - kHold));
}

std::vector<double> Record(double f0, unsigned seed, double peak)
{
    CLcg rng{seed};
    double f[kSines], phi[kSines];
    for (int m = 0; m < kSines; ++m) {
        f[m] = f0 * (0.5 + rng.Next());
        phi[m] = 2.0 * kPi * rng.Next();
    }
    const int n = (int)std::lround(kLength / kStep);
    std::vector<double> a((size_t)n);
    double largest = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = i * kStep;
        double sum = 0.0;
        for (int m = 0; m < kSines; ++m)
            sum += std::sin(2.0 * kPi * f[m] * t + phi[m]);
        a[(size_t)i] = Envelope(t) * sum;
        largest = std::fmax(largest, std::fabs(a[(size_t)i]));
    }
    for (double& v : a)
        v = largest > 0.0 ? v * peak / largest : 0.0;
    return a;
}

bool WriteRecord(const std::filesystem::path& file, const std::string& name, int cls, unsigned seed,
                 const std::vector<double>& a)
{
    FILE* f = std::fopen(file.string().c_str(), "w");
    if (f == nullptr)
        return false;
    std::fprintf(f, "%s synthetic record, site class %d, seed %u\n****\n%.2f %.0f\n", name.c_str(), cls, seed, kStep,
                 kLength);
    for (size_t i = 0; i < a.size(); ++i)
        std::fprintf(f, (i % 10 == 9 || i + 1 == a.size()) ? "%.3f\n" : "%.3f ", a[i]);
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>   (writes <output folder>/Wave)\n", argv[0]);
        return 2;
    }
    const std::filesystem::path wave = std::filesystem::path(argv[1]) / "Wave";
    int cls = 0;
    for (const SClass& c : kClasses) {
        ++cls;
        std::filesystem::create_directories(wave / c.dir);
        std::vector<std::string> names;
        for (int j = 1; j <= c.records; ++j) {
            const unsigned seed = 1000u * (unsigned)cls + (unsigned)j;
            const std::string name = std::string("SYN_") + c.tag + "_" + std::to_string(j);
            const std::vector<double> a = Record(c.f0, seed, 100.0 * j);
            if (!WriteRecord(wave / c.dir / (name + ".txt"), name, cls, seed, a)) {
                std::fprintf(stderr, "cannot write %s\n", name.c_str());
                return 1;
            }
            names.push_back(name);
        }
        const std::filesystem::path index = wave / (std::string("Define") + c.dir + ".txt");
        FILE* f = std::fopen(index.string().c_str(), "w");
        if (f == nullptr) {
            std::fprintf(stderr, "cannot write %s\n", index.string().c_str());
            return 1;
        }
        std::fprintf(f, "%d\n", (int)names.size());
        for (const std::string& n : names)
            std::fprintf(f, "%s\n", n.c_str());
        if (std::fclose(f) != 0)
            return 1;
    }
    return 0;
}
