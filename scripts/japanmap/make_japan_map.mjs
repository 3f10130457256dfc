// Draws the map of Japan shown by the position picker: app/resources/JapanMap.png.
//
// The picture is linear in longitude and latitude: its left edge is 122 degrees east, its right
// edge 148 degrees east, its top edge 46 degrees north and its bottom edge 24 degrees north, so a
// pixel (x, y) of a W x H picture reads as longitude 122 + 26 x / W and latitude 46 - 22 y / H
// (pixel centres at x + 0.5, y + 0.5). Land and sea are flat colours with antialiased coasts and
// a light graticule every 2 degrees. The coastline is Natural Earth's 1:10m land polygons
// (public domain) as the npm package world-atlas carries them.
//
// Run by hand when the artwork should change (needs the npm registry once):
//   cd scripts/japanmap && npm install && node make_japan_map.mjs
// The generated PNG is committed, so the build itself needs no network.

import { writeFileSync, readFileSync } from 'node:fs';
import { deflateSync } from 'node:zlib';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import path from 'node:path';
import { feature } from 'topojson-client';

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(import.meta.url);
const output = path.resolve(here, '../../app/resources/JapanMap.png');

// Three times the picker's map frame (468 x 484 pixels), so the largest zoom (3x) stays sharp.
const WIDTH = 1404;
const HEIGHT = 1452;
const LON_LEFT = 122, LON_SPAN = 26, LAT_TOP = 46, LAT_SPAN = 22;
const SUB = 4;  // sub-rows per pixel row for the antialiased fill

const SEA = [172, 206, 236];
const LAND = [228, 232, 196];
const COAST = [96, 112, 88];
const GRID = [120, 140, 160];

const toX = (lon) => ((lon - LON_LEFT) / LON_SPAN) * WIDTH;
const toY = (lat) => ((LAT_TOP - lat) / LAT_SPAN) * HEIGHT;

function landRings() {
    const topology = JSON.parse(readFileSync(require.resolve('world-atlas/land-10m.json'), 'utf8'));
    const land = feature(topology, topology.objects.land);
    const rings = [];
    const geometries = land.type === 'FeatureCollection' ? land.features.map((f) => f.geometry) : [land.geometry];
    for (const g of geometries) {
        const polygons = g.type === 'MultiPolygon' ? g.coordinates : [g.coordinates];
        for (const polygon of polygons) {
            for (const ring of polygon) {
                let minLon = Infinity, maxLon = -Infinity, minLat = Infinity, maxLat = -Infinity;
                for (const [lon, lat] of ring) {
                    minLon = Math.min(minLon, lon); maxLon = Math.max(maxLon, lon);
                    minLat = Math.min(minLat, lat); maxLat = Math.max(maxLat, lat);
                }
                if (maxLon < LON_LEFT - 1 || minLon > LON_LEFT + LON_SPAN + 1) continue;
                if (maxLat < LAT_TOP - LAT_SPAN - 1 || minLat > LAT_TOP + 1) continue;
                rings.push(ring.map(([lon, lat]) => [toX(lon), toY(lat)]));
            }
        }
    }
    return rings;
}

// Land coverage of every pixel (0..1) by an even-odd scan-line fill with SUB sub-rows per row
// and exact horizontal span coverage.
function coverage(rings) {
    const cover = new Float32Array(WIDTH * HEIGHT);
    const edges = [];
    for (const ring of rings) {
        for (let i = 0; i < ring.length; ++i) {
            const [x1, y1] = ring[i];
            const [x2, y2] = ring[(i + 1) % ring.length];
            if (y1 !== y2) edges.push([x1, y1, x2, y2]);
        }
    }
    for (let row = 0; row < HEIGHT; ++row) {
        for (let s = 0; s < SUB; ++s) {
            const y = row + (s + 0.5) / SUB;
            const xs = [];
            for (const [x1, y1, x2, y2] of edges) {
                if ((y1 <= y && y < y2) || (y2 <= y && y < y1)) xs.push(x1 + ((y - y1) * (x2 - x1)) / (y2 - y1));
            }
            xs.sort((a, b) => a - b);
            for (let k = 0; k + 1 < xs.length; k += 2) {
                const a = Math.max(0, xs[k]);
                const b = Math.min(WIDTH, xs[k + 1]);
                for (let px = Math.floor(a); px < b; ++px) {
                    const part = Math.min(b, px + 1) - Math.max(a, px);
                    if (part > 0) cover[row * WIDTH + px] += part / SUB;
                }
            }
        }
    }
    return cover;
}

function render(cover) {
    const rgb = new Uint8Array(WIDTH * HEIGHT * 3);
    const mix = (c1, c2, t) => c1.map((v, i) => Math.round(v + (c2[i] - v) * t));
    const gridColumns = new Set();
    const gridRows = new Set();
    for (let lon = LON_LEFT + 2; lon < LON_LEFT + LON_SPAN; lon += 2) {
        const x = Math.round(toX(lon));
        gridColumns.add(x - 1); gridColumns.add(x);
    }
    for (let lat = LAT_TOP - 2; lat > LAT_TOP - LAT_SPAN; lat -= 2) {
        const y = Math.round(toY(lat));
        gridRows.add(y - 1); gridRows.add(y);
    }
    for (let y = 0; y < HEIGHT; ++y) {
        for (let x = 0; x < WIDTH; ++x) {
            const c = Math.min(1, cover[y * WIDTH + x]);
            let colour = mix(SEA, LAND, c);
            // A darker rim where the coverage is partial marks the coast.
            const rim = 1 - Math.abs(2 * c - 1);
            colour = mix(colour, COAST, 0.8 * rim);
            if (gridColumns.has(x) || gridRows.has(y)) colour = mix(colour, GRID, 0.3);
            rgb.set(colour, (y * WIDTH + x) * 3);
        }
    }
    return rgb;
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
});
function crc32(bytes) {
    let c = 0xffffffff;
    for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
}
function chunk(type, data) {
    const out = Buffer.alloc(12 + data.length);
    out.writeUInt32BE(data.length, 0);
    out.write(type, 4, 'ascii');
    Buffer.from(data).copy(out, 8);
    out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
    return out;
}
function png(rgb) {
    const header = Buffer.alloc(13);
    header.writeUInt32BE(WIDTH, 0);
    header.writeUInt32BE(HEIGHT, 4);
    header.set([8, 2, 0, 0, 0], 8);  // 8-bit RGB
    const stride = WIDTH * 3;
    const raw = Buffer.alloc((stride + 1) * HEIGHT);
    for (let y = 0; y < HEIGHT; ++y) {
        raw[y * (stride + 1)] = 1;  // "Sub" filter: flat areas become runs of zeros
        for (let i = 0; i < stride; ++i) {
            const left = i >= 3 ? rgb[y * stride + i - 3] : 0;
            raw[y * (stride + 1) + 1 + i] = (rgb[y * stride + i] - left) & 0xff;
        }
    }
    return Buffer.concat([
        Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
        chunk('IHDR', header),
        chunk('IDAT', deflateSync(raw, { level: 9 })),
        chunk('IEND', Buffer.alloc(0)),
    ]);
}

const file = png(render(coverage(landRings())));
writeFileSync(output, file);
console.log(`wrote ${output} (${WIDTH} x ${HEIGHT}, ${file.length} bytes)`);
