// Prints how long writing and reading a component holding n components
// takes through each codec, for growing n: the time per component should
// stay flat (no step of the reader or writer is quadratic).
#include <windows.h>

#include <cstdio>
#include <functional>

#include "framework/framework.h"

namespace {

class TBenchRoot : public TComponent {
    FRAME_CLASS(TBenchRoot, TComponent)
public:
    using TComponent::TComponent;
    std::vector<TComponent*> GetChildren(TComponent*) const override {
        std::vector<TComponent*> all;
        for (int i = 0; i < ComponentCount(); ++i) all.push_back(Components(i));
        return all;
    }
};

const TClassInfo& TBenchRoot::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBenchRoot>::Creatable("TBenchRoot", TComponent::StaticClass());
    return info;
}

double Milliseconds(const std::function<void()>& step) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    step();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    try {
        RegisterClasses({&TBenchRoot::StaticClass()});
        std::printf("%8s %6s %10s %10s %12s %10s\n", "n", "codec", "write ms", "read ms", "read us/comp", "bytes");
        for (int n : {1000, 10000, 100000}) {
            TBenchRoot source(nullptr);
            source.SetName("Root");
            for (int i = 0; i < n; ++i) {
                auto* c = new TComponent(&source);
                c->SetName(Format("Item%d", i));
                c->SetTag(i);
            }
            for (TComponentFormat format : {TComponentFormat::Binary, TComponentFormat::Text}) {
                TMemoryStream stream;
                double write = Milliseconds([&] { WriteComponent(stream, &source, {}, format); });
                stream.SetPosition(0);
                TBenchRoot target(nullptr);
                double read = Milliseconds([&] { ReadComponent(stream, &target); });
                std::printf("%8d %6s %10.1f %10.1f %12.2f %10lld\n", n, format == TComponentFormat::Binary ? "binary" : "text",
                            write, read, read * 1e3 / n, static_cast<long long>(stream.Size()));
            }
        }
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "framework_streaming_benchmark: %s\n", e.Message().c_str());
        return 1;
    }
}
