-- The bunnymark in LOVE 11.4 (OpenGL: Mesa's llvmpipe under Xvfb, so on the
-- CPU). The same picture, starts, moves and timing as the other peers
-- (Bunnymark.h). Two ways, as LOVE's documentation gives them:
--   draw:  love.graphics.draw(image, ...) for each sprite every frame;
--   batch: one SpriteBatch holding every sprite, set each frame and drawn
--          with one call (the documented fast way for many sprites).
-- Run: love bench/peers/love straight|rotated N [draw|batch]

local W, H, SW, SH = 640, 480, 26, 37
local rotated, count, batchMode
local sprites = {}
local image, batch

local function pixel(x, y)
    local dx, dy = (x + 0.5) / SW * 2 - 1, (y + 0.5) / SH * 2 - 1
    local r = math.sqrt(dx * dx + dy * dy)
    local a = math.floor(math.max(0, math.min(1, (1 - r) * 3)) * 255)
    return (0xE0 - 4 * x) / 255, (0x80 + 2 * y) / 255, 0x30 / 255, a / 255
end

local function makeSprites(n)
    local seed = 12345
    local function nextRandom()
        seed = (seed * 1664525 + 1013904223) % 4294967296
        return math.floor(seed / 256) / 16777216
    end
    for i = 0, n - 1 do
        local s = {}
        s.x = nextRandom() * (W - SW)
        s.y = nextRandom() * (H - SH)
        s.dx = nextRandom() * 6 - 3
        s.dy = nextRandom() * 6 - 3
        s.degrees = nextRandom() * 360
        s.scale = 0.5 + (i % 16) / 10
        sprites[i + 1] = s
    end
end

local function step()
    for i = 1, #sprites do
        local s = sprites[i]
        s.x = s.x + s.dx
        s.y = s.y + s.dy
        if s.x < 0 or s.x > W - SW then s.dx = -s.dx end
        if s.y < 0 or s.y > H - SH then s.dy = -s.dy end
        if rotated then s.degrees = (s.degrees + 2) % 360 end
    end
end

local function drawAll()
    love.graphics.clear(1, 1, 1, 1)
    love.graphics.setColor(1, 1, 1, 1)
    if batchMode then
        batch:clear()
        for i = 1, #sprites do
            local s = sprites[i]
            if rotated then
                batch:add(s.x, s.y, math.rad(s.degrees), s.scale, s.scale)
            else
                batch:add(math.floor(s.x), math.floor(s.y))
            end
        end
        love.graphics.draw(batch)
    else
        for i = 1, #sprites do
            local s = sprites[i]
            if rotated then
                love.graphics.draw(image, s.x, s.y, math.rad(s.degrees), s.scale, s.scale)
            else
                love.graphics.draw(image, math.floor(s.x), math.floor(s.y))
            end
        end
    end
end

function love.run()
    local args = arg or {}
    local variant, n, mode = args[2], tonumber(args[3]), args[4] or "draw"
    if (variant ~= "straight" and variant ~= "rotated") or not n then
        print("usage: love bench/peers/love straight|rotated N [draw|batch]")
        return function() return 2 end
    end
    rotated, count, batchMode = variant == "rotated", n, mode == "batch"
    local data = love.image.newImageData(SW, SH)
    for y = 0, SH - 1 do
        for x = 0, SW - 1 do data:setPixel(x, y, pixel(x, y)) end
    end
    image = love.graphics.newImage(data)
    image:setFilter(rotated and "linear" or "nearest", rotated and "linear" or "nearest")
    if batchMode then batch = love.graphics.newSpriteBatch(image, count, "stream") end
    makeSprites(count)
    local frames, wall0, cpu0 = 0, 0, 0
    return function()
        love.event.pump()
        for name in love.event.poll() do
            if name == "quit" then return 0 end
        end
        frames = frames + 1
        if frames == 20 then
            wall0, cpu0 = love.timer.getTime(), os.clock()
        elseif frames > 20 then
            local wall = love.timer.getTime() - wall0
            local timed = frames - 20
            if (timed >= 30 and wall >= 0.5) or wall >= 4 then
                local cpu = os.clock() - cpu0
                io.write(string.format("frames=%d wall_ms=%.3f cpu_ms=%.3f\n", timed,
                                       wall * 1000 / timed, cpu * 1000 / timed))
                io.flush()
                return 0
            end
        end
        step()
        drawAll()
        love.graphics.present()
    end
end
