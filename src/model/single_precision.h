// The method's literal constants are single-precision numbers used in double
// precision: 0.72 acts as 0.7200000286102295. Spell each once, named:
//     constexpr double C072 = f32(0.72f);
#pragma once

namespace zolan {

constexpr double f32(float v) { return static_cast<double>(v); }

}  // namespace zolan
