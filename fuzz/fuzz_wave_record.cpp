// Wave record and index files of the record library, as the library dialog lists and
// imports them: any bytes are read without a crash, a record read whole holds exactly the
// samples its head asks for, all finite, the model's record takes them, and an index gives
// single tokens.
#include <vyr/input/WaveRecordFile.h>
#include <vyr/model/record/TimeHistory.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    SWaveRecordData record;
    if (VyrParseWaveRecord(bytes, record) == EWaveRead::Ok) {
        const int count = CWaveFun::SampleCount(record.dist, record.step);
        if ((int)record.values.size() != count)
            std::abort();
        for (float v : record.values)
            if (!std::isfinite(v))
                std::abort();
        CWaveFun wave;
        wave.SetValue("F", record.step, record.dist, record.values.data());
        if (wave.GetNum() != count || !std::isfinite(wave.GetMaxValue()))
            std::abort();
    }

    // A name is one token; one that starts with a NUL byte is empty, and the listing skips it.
    for (const CString& name : VyrParseWaveIndex(bytes))
        for (const char* p = name.GetString(); *p != '\0'; ++p)
            if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
                std::abort();
    return 0;
}
