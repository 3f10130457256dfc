#include "SlideRate.h"

std::array<float, kSlideRateRows> gSlideRate{};
std::array<float, kSlideRateRows> gSlideAngleTable{};

namespace {

constexpr std::array<SlideRow, kSlideRateRows> kSlideRows = {{
    {1.0f, 0.0f},            {0.93705f, 3.836f},      {0.86907f, 7.742f},      {0.7987f, 11.073f},
    {0.74494f, 13.368f},     {0.69322f, 15.087f},     {0.61194f, 17.587f},     {0.5632f, 19.274f},
    {0.539357f, 20.0065f},   {0.514448f, 20.7884f},   {0.48876f, 21.5293f},    {0.463072f, 22.2701f},
    {0.443612f, 22.8669f},   {0.425319f, 23.5048f},   {0.4091f, 24.161f},      {0.391062f, 24.9567f},
    {0.375688f, 25.6564f},   {0.358952f, 26.5001f},   {0.34008f, 27.426f},     {0.3205f, 28.42f},
    {0.303101f, 29.2828f},   {0.285244f, 30.1676f},   {0.268119f, 31.0731f},   {0.24851f, 32.102f},
    {0.2307f, 33.049f},      {0.213817f, 33.9587f},   {0.19844f, 34.844f},     {0.182291f, 35.7901f},
    {0.165314f, 36.8396f},   {0.153638f, 37.601f},    {0.141425f, 38.4447f},   {0.129943f, 39.2267f},
    {0.119f, 40.091f},
}};

}  // namespace

const std::array<SlideRow, kSlideRateRows>& SlideRateRows() { return kSlideRows; }

void SetSlideRateTable()
{
    for (int row = 0; row < kSlideRateRows; ++row) {
        gSlideRate[row] = kSlideRows[row].ratio;
        gSlideAngleTable[row] = kSlideRows[row].degrees;
    }
}
