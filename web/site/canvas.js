// The canvas side of the preview's drawing surface
// (preview/web/canvas_drawing_surface.h): the functions the module imports
// as "canvas". Positions are CSS pixels; the canvas holds device pixels.

const BACKGROUND = '#ffffff';

// A face name as the CSS font shorthand takes it, quoted; fontconfig-like
// fallback to a sans-serif face, as the window's preview gets.
function family(name) {
    return `"${name.replace(/["\\]/g, '\\$&')}", sans-serif`;
}

export class CanvasTarget {
    constructor() {
        this.memory = null;
        this.context = null;
        this.widths = new Map();
        this.ascent = 0;
    }

    // Draws on this canvas from now on, at this size in CSS pixels (given by
    // the caller: reading the layout here would force the browser to lay out
    // the whole page at once), at the screen's pixel density.
    attach(canvas, width, height) {
        const ratio = window.devicePixelRatio || 1;
        const deviceWidth = Math.round(width * ratio);
        const deviceHeight = Math.round(height * ratio);
        if (canvas.width !== deviceWidth || canvas.height !== deviceHeight) {
            canvas.width = deviceWidth;
            canvas.height = deviceHeight;
        }
        this.context = canvas.getContext('2d', { alpha: false });
        this.context.setTransform(ratio, 0, 0, ratio, 0, 0);
        this.context.textBaseline = 'alphabetic';
        this.width = width;
        this.height = height;
    }

    text(pointer, length) {
        return String.fromCharCode.apply(null, new Uint16Array(this.memory.buffer, pointer, length));
    }

    imports() {
        return {
            clear: () => {
                this.context.fillStyle = BACKGROUND;
                this.context.fillRect(0, 0, this.width, this.height);
            },
            font: (points, bold, italic, name, length) => {
                const context = this.context;
                context.font = `${italic ? 'italic ' : ''}${bold ? 'bold ' : ''}${points}pt ${family(
                    this.text(name, length))}`;
                this.widths.clear();
                const metrics = context.measureText('Hg');
                this.ascent = metrics.fontBoundingBoxAscent;
                return metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
            },
            color: (color) => {
                this.context.fillStyle =
                    `rgb(${color & 255}, ${(color >> 8) & 255}, ${(color >> 16) & 255})`;
            },
            print: (x, y, pointer, length, underline, strikethru) => {
                const context = this.context;
                const text = this.text(pointer, length);
                const baseline = y + this.ascent;
                context.fillText(text, x, baseline);
                if (underline || strikethru) {
                    const width = context.measureText(text).width;
                    if (underline) {
                        context.fillRect(x, baseline + 1, width, 1);
                    }
                    if (strikethru) {
                        context.fillRect(x, baseline - Math.round(this.ascent * 0.3), width, 1);
                    }
                }
            },
            measure: (pointer, length) => {
                const text = this.text(pointer, length);
                let width = this.widths.get(text);
                if (width === undefined) {
                    width = this.context.measureText(text).width;
                    this.widths.set(text, width);
                }
                return width;
            },
        };
    }
}
