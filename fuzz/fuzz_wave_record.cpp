// Wave record and index files of the record library, as the library dialog lists and
// imports them: any bytes are read without a crash, a record read whole holds exactly the
// samples its head asks for, all finite, and the model's record takes them.
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

    for (const CString& name : VyrParseWaveIndex(bytes))
        if (name.IsEmpty())
            std::abort();
    return 0;
}
