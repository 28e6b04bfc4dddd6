"""The component package's palette pictures: 16 colours each, in the
standard 16-colour palette, the sizes the form designer's buttons take.
Letters come from a small 7-pixel font of our own, drawn pixel by pixel so
they stay sharp at these sizes."""

PALETTE = [  # the 16 standard colours, as (r, g, b)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, SILVER, GREY, RED, YELLOW, WHITE = 0, 1, 2, 3, 4, 7, 8, 9, 11, 15

FONT = {
    'C': [' ###', '#   ', '#   ', '#   ', '#   ', '#   ', ' ###'],
    'l': ['# ', '# ', '# ', '# ', '# ', '# ', ' #'],
    'o': ['    ', '    ', ' ## ', '#  #', '#  #', '#  #', ' ## '],
    'c': ['   ', '   ', ' ##', '#  ', '#  ', '#  ', ' ##'],
    'k': ['#   ', '#   ', '#  #', '# # ', '##  ', '# # ', '#  #'],
    'B': ['### ', '#  #', '#  #', '### ', '#  #', '#  #', '### '],
    'I': ['###', ' # ', ' # ', ' # ', ' # ', ' # ', '###'],
    'G': [' ###', '#   ', '#   ', '# ##', '#  #', '#  #', ' ###'],
    '2': [' ## ', '#  #', '   #', '  # ', ' #  ', '#   ', '####'],
}


def text_width(text, scale=1):
    return (sum(len(FONT[ch][0]) for ch in text) + len(text) - 1) * scale


def draw_text(px, text, x, y, colour, scale=1):
    for ch in text:
        for row, line in enumerate(FONT[ch]):
            for col, bit in enumerate(line):
                if bit == '#':
                    for dy in range(scale):
                        for dx in range(scale):
                            px[y + row * scale + dy][x + col * scale + dx] = colour
        x += (len(FONT[ch][0]) + 1) * scale


def fill(px, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = colour


def centred_word(size, text, ink, paper, scale=1, border=None):
    px = [[paper] * size for _ in range(size)]
    if border is not None:
        fill(px, 0, 0, size, size, border)
        fill(px, 2, 2, size - 2, size - 2, paper)
    x = (size - text_width(text, scale)) // 2
    y = (size - 7 * scale) // 2
    draw_text(px, text, x, y, ink, scale)
    return px


def big_edit():
    """A white edit box with a dark frame and the word BIG, on olive."""
    px = [[OLIVE] * 24 for _ in range(24)]
    fill(px, 1, 6, 23, 18, GREY)
    fill(px, 2, 7, 22, 17, WHITE)
    draw_text(px, 'BIG', (24 - text_width('BIG')) // 2, 8, BLACK)
    return px


def icons():
    """Resource name -> rows of palette indices."""
    return {
        'TMyClock': centred_word(28, 'Clock', NAVY, SILVER, border=OLIVE),
        'TColorClock': centred_word(28, 'Clock', YELLOW, NAVY),
        'TMyClock2': centred_word(24, 'Clk', GREEN, OLIVE),
        'TColorClock2': centred_word(28, 'Clock', YELLOW, NAVY),
        'TBigEdit': big_edit(),
        'TRadio2Panel': centred_word(24, '2', YELLOW, RED, scale=2),
    }
