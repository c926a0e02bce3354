#!/usr/bin/env python3
"""Converts the pose models (.tflite) to ONNX for OpenCV's dnn module.

Reads the TFLite flatbuffer directly (the layout of the schema's tables is noted where they are
read), folds the constant DENSIFY and DEQUANTIZE ops into float32 weights, and writes an ONNX
graph in NCHW order at opset 10. Opset 10 because OpenCV 4.6 reads ReLU6 only as a Clip with
min/max attributes; a half-pixel bilinear resize, which opset 10 cannot say, becomes a nearest
resize, an edge pad and a fixed 3x3 depthwise convolution (exactly the same values).

usage: tflite2onnx.py MODEL.tflite OUT.onnx [--sha256 HEX] [--outputs NAME,NAME]
"""
import argparse
import hashlib
import struct
import sys

import numpy as np
import onnx
from onnx import TensorProto, helper, numpy_helper

OPSET = 10
# BuiltinOperator codes used by the pose models.
ADD, CONCATENATION, CONV_2D, DEPTHWISE_CONV_2D, DEPTH_TO_SPACE, DEQUANTIZE = 0, 2, 3, 4, 5, 6
LOGISTIC, MAX_POOL_2D, RESHAPE, RESIZE_BILINEAR, PAD, DENSIFY = 14, 17, 22, 23, 34, 124
NUMPY_TYPES = {0: np.float32, 1: np.float16, 2: np.int32, 3: np.uint8, 4: np.int64}


class Table:
    """A flatbuffer table: a signed offset to its vtable, whose 16-bit slots give field offsets."""

    def __init__(self, data, pos):
        self.data, self.pos = data, pos
        self.vtable = pos - struct.unpack_from("<i", data, pos)[0]
        self.vtable_size = struct.unpack_from("<H", data, self.vtable)[0]

    def _field(self, slot):
        at = 4 + 2 * slot
        return struct.unpack_from("<H", self.data, self.vtable + at)[0] if at < self.vtable_size else 0

    def scalar(self, slot, fmt, default=0):
        at = self._field(slot)
        return struct.unpack_from("<" + fmt, self.data, self.pos + at)[0] if at else default

    def _target(self, slot):
        at = self._field(slot)
        if not at:
            return None
        return self.pos + at + struct.unpack_from("<I", self.data, self.pos + at)[0]

    def table(self, slot):
        at = self._target(slot)
        return Table(self.data, at) if at is not None else None

    def vector(self, slot, dtype):
        at = self._target(slot)
        if at is None:
            return np.zeros(0, dtype)
        count = struct.unpack_from("<I", self.data, at)[0]
        return np.frombuffer(self.data, dtype, count, at + 4)

    def tables(self, slot):
        at = self._target(slot)
        if at is None:
            return []
        count = struct.unpack_from("<I", self.data, at)[0]
        slots = [at + 4 + 4 * i for i in range(count)]
        return [Table(self.data, s + struct.unpack_from("<I", self.data, s)[0]) for s in slots]

    def string(self, slot):
        return bytes(self.vector(slot, np.uint8)).decode()


def densify(values, sparsity, shape):
    """SparsityParameters: traversal_order (0), block_map (1), dim_metadata (2); each
    DimensionMetadata: format (0, 0 dense / 1 CSR), dense_size (1), array_segments (3) and
    array_indices (5), unions of Int32Vector / Uint16Vector / Uint8Vector (values at slot 0)."""
    order = sparsity.vector(0, np.int32)
    block_map = sparsity.vector(1, np.int32)
    index_types = {1: np.int32, 2: np.uint16, 3: np.uint8}
    positions, coords = np.zeros(1, np.int64), []
    for dim in sparsity.tables(2):
        if dim.scalar(0, "b") == 0:
            size = dim.scalar(1, "i")
            coords = [np.repeat(c, size) for c in coords] + [np.tile(np.arange(size), len(positions))]
            positions = (positions[:, None] * size + np.arange(size)).ravel()
        else:
            segments = dim.table(3).vector(0, index_types[dim.scalar(2, "B")]).astype(np.int64)
            indices = dim.table(5).vector(0, index_types[dim.scalar(4, "B")]).astype(np.int64)
            counts = segments[positions + 1] - segments[positions]
            starts = np.repeat(segments[positions] - np.cumsum(counts) + counts, counts)
            positions = starts + np.arange(counts.sum())
            coords = [np.repeat(c, counts) for c in coords] + [indices[positions]]
    dense = np.zeros(shape, values.dtype)
    index = [None] * len(shape)
    for level, dim in enumerate(order):
        if dim < len(shape):
            index[dim] = coords[level]
    for block, dim in enumerate(block_map):
        level = list(order).index(len(shape) + block)
        size = sparsity.tables(2)[level].scalar(1, "i")
        index[dim] = index[dim] * size + coords[level]
    dense[tuple(index)] = values[positions]
    return dense


class Converter:
    def __init__(self, data):
        model = Table(data, struct.unpack_from("<I", data, 0)[0])
        # Model: operator_codes (1), subgraphs (2), buffers (4). OperatorCode: the old byte code
        # (0) and the 32-bit code (3), whichever is larger.
        self.codes = [max(c.scalar(0, "b"), c.scalar(3, "i")) for c in model.tables(1)]
        buffers = model.tables(4)
        graph = model.tables(2)[0]
        # Tensor: shape (0), type (1), buffer (2), name (3), sparsity (6).
        self.tensors = graph.tables(0)
        self.shape = [tuple(int(d) for d in t.vector(0, np.int32)) for t in self.tensors]
        self.name = [t.string(3) for t in self.tensors]
        self.inputs = list(graph.vector(1, np.int32))
        self.outputs = list(graph.vector(2, np.int32))
        self.constants = {}
        for i, t in enumerate(self.tensors):
            raw = buffers[t.scalar(2, "I")].vector(0, np.uint8)
            if len(raw):
                values = np.frombuffer(raw.tobytes(), NUMPY_TYPES[t.scalar(1, "b")])
                sparsity = t.table(6)
                self.constants[i] = (
                    densify(values, sparsity, self.shape[i]) if sparsity else values.reshape(self.shape[i]))
        # Operator: opcode_index (0), inputs (1), outputs (2), builtin_options (4).
        self.ops = [(self.codes[o.scalar(0, "I")], list(o.vector(1, np.int32)),
                     list(o.vector(2, np.int32)), o.table(4)) for o in graph.tables(3)]
        self.nodes, self.initializers, self.initializer_names = [], [], set()

    def node(self, kind, inputs, outputs, **attributes):
        self.nodes.append(helper.make_node(kind, inputs, outputs, **attributes))

    def constant(self, name, value):
        if name not in self.initializer_names:  # a weight may serve several operators
            self.initializer_names.add(name)
            self.initializers.append(numpy_helper.from_array(np.ascontiguousarray(value), name))
        return name

    def nchw(self, tensor):
        return len(self.shape[tensor]) == 4

    def fused(self, kind, inputs, out, activation, **attributes):
        """An operator with TFLite's fused activation after it: 0 none, 1 ReLU, 3 ReLU6."""
        if activation not in (0, 1, 3):
            raise ValueError(f"fused activation {activation} is not handled")
        name = self.name[out]
        self.node(kind, inputs, [name + "/pre" if activation else name], **attributes)
        if activation:
            self.node("Relu" if activation == 1 else "Clip", [name + "/pre"], [name],
                      **({} if activation == 1 else {"min": 0.0, "max": 6.0}))

    @staticmethod
    def same_pads(size, kernel, stride, dilation=1):
        total = max((-(-size // stride) - 1) * stride + (kernel - 1) * dilation + 1 - size, 0)
        return total // 2, total - total // 2

    def pads(self, options, tensor, kernel_h, kernel_w, slot_padding=0):
        if options.scalar(slot_padding, "b") == 1:  # VALID
            return [0, 0, 0, 0]
        _, h, w, _ = self.shape[tensor]
        top, bottom = self.same_pads(h, kernel_h, options.scalar(2, "i"))
        left, right = self.same_pads(w, kernel_w, options.scalar(1, "i"))
        return [top, left, bottom, right]

    def convert_op(self, code, ins, outs, options):
        x, out = ins[0], outs[0]
        name = self.name
        if code in (DEQUANTIZE, DENSIFY) and x in self.constants:
            self.constants[out] = self.constants[x].astype(np.float32)
        elif code in (CONV_2D, DEPTHWISE_CONV_2D):
            # Conv2DOptions: padding (0), stride_w (1), stride_h (2), fused activation (3);
            # the depthwise options put depth_multiplier at 3 and the activation at 4.
            weights = self.constants[ins[1]]  # OHWI, or 1HW(C*M) for depthwise
            depthwise = code == DEPTHWISE_CONV_2D
            weights = weights.transpose(3, 0, 1, 2) if depthwise else weights.transpose(0, 3, 1, 2)
            kh, kw = weights.shape[2:]
            args = [name[x], self.constant(name[ins[1]], weights)]
            if len(ins) > 2 and ins[2] >= 0:
                args.append(self.constant(name[ins[2]], self.constants[ins[2]].astype(np.float32)))
            self.fused("Conv", args, out, options.scalar(4 if depthwise else 3, "b"), kernel_shape=[kh, kw], strides=[options.scalar(2, "i"), options.scalar(1, "i")],
                      pads=self.pads(options, x, kh, kw),
                      group=self.shape[x][3] if depthwise else 1)
        elif code == MAX_POOL_2D:
            # Pool2DOptions: padding (0), stride_w (1), stride_h (2), filter_width (3),
            # filter_height (4), fused activation (5).
            kh, kw = options.scalar(4, "i"), options.scalar(3, "i")
            self.fused("MaxPool", [name[x]], out, options.scalar(5, "b"), kernel_shape=[kh, kw], strides=[options.scalar(2, "i"), options.scalar(1, "i")],
                      pads=self.pads(options, x, kh, kw))
        elif code == ADD:
            args = []
            for i in ins:
                if i in self.constants:
                    value = self.constants[i].astype(np.float32)
                    if self.nchw(out):
                        value = value.reshape((1,) * (4 - value.ndim) + value.shape).transpose(0, 3, 1, 2)
                    args.append(self.constant(name[i], value))
                else:
                    args.append(name[i])
            self.fused("Add", args, out, options.scalar(0, "b"))
        elif code == PAD:
            paddings = self.constants[ins[1]].reshape(-1, 2)
            if self.nchw(x):
                paddings = paddings[[0, 3, 1, 2]]
            self.node("Pad", [name[x]], [name[out]], mode="constant",
                      pads=[int(p) for p in np.concatenate([paddings[:, 0], paddings[:, 1]])])
        elif code == RESIZE_BILINEAR:
            self.resize_half_pixel(x, out, options)
        elif code == RESHAPE:
            source = name[x]
            if self.nchw(x):  # TFLite reshapes in NHWC element order
                source = name[x] + "/nhwc"
                self.node("Transpose", [name[x]], [source], perm=[0, 2, 3, 1])
            shape = self.shape[out]
            target = name[out] + "/nhwc" if self.nchw(out) else name[out]
            self.node("Reshape", [source, self.constant(name[out] + "/shape", np.array(shape, np.int64))],
                      [target])
            if self.nchw(out):
                self.node("Transpose", [target], [name[out]], perm=[0, 3, 1, 2])
        elif code == LOGISTIC:
            self.node("Sigmoid", [name[x]], [name[out]])
        elif code == CONCATENATION:
            # ConcatenationOptions: axis (0), fused activation (1).
            axis = options.scalar(0, "i") % len(self.shape[out])
            if self.nchw(out):
                axis = [0, 2, 3, 1][axis]
            self.fused("Concat", [name[i] for i in ins], out, options.scalar(1, "b"), axis=axis)
        elif code == DEPTH_TO_SPACE:
            # DepthToSpaceOptions: block_size (0). TFLite's order is ONNX's DCR.
            self.node("DepthToSpace", [name[x]], [name[out]], blocksize=options.scalar(0, "i"))
        else:
            raise ValueError(f"operator {code} is not handled")

    def resize_half_pixel(self, x, out, options):
        """A 2x bilinear resize with half-pixel centres: output 2i is 1/4 of input i-1 and 3/4
        of input i, the border clamped. A nearest 2x resize doubles each value; a [1,2,1]/4
        kernel each way over it, with the edge repeated once, gives exactly those weights."""
        _, h, w, channels = self.shape[x]
        if self.shape[out][1:3] != (2 * h, 2 * w) or options.scalar(2, "B") or not options.scalar(3, "B"):
            raise ValueError("only a 2x half-pixel bilinear resize is handled")
        base = self.name[out]
        self.node("Resize", [self.name[x], self.constant(base + "/scales", np.array([1, 1, 2, 2], np.float32))],
                  [base + "/nearest"], mode="nearest")
        self.node("Pad", [base + "/nearest"], [base + "/edge"], mode="edge", pads=[0, 0, 1, 1, 0, 0, 1, 1])
        taps = np.array([0.25, 0.5, 0.25], np.float32)
        kernel = np.tile(np.outer(taps, taps), (channels, 1, 1, 1))
        self.node("Conv", [base + "/edge", self.constant(base + "/kernel", kernel)], [base],
                  kernel_shape=[3, 3], group=channels)

    def convert(self, wanted):
        outputs = [t for t in self.outputs if not wanted or self.name[t] in wanted]
        if wanted and len(outputs) != len(wanted):
            raise ValueError(f"outputs not in the model: {wanted}")
        # Only the operators the chosen outputs depend on, in the model's order.
        needed = set(outputs)
        for k in reversed(range(len(self.ops))):
            if any(o in needed for o in self.ops[k][2]):
                needed.update(i for i in self.ops[k][1] if i >= 0)
        for code, ins, outs, options in self.ops:
            if any(o in needed for o in outs):
                self.convert_op(code, ins, outs, options)

        def value_info(t):
            shape = self.shape[t]
            shape = (shape[0], shape[3], shape[1], shape[2]) if self.nchw(t) else shape
            return helper.make_tensor_value_info(self.name[t], TensorProto.FLOAT, list(shape))

        used = {i for n in self.nodes for i in n.input}
        self.initializers = [i for i in self.initializers if i.name in used]
        graph = helper.make_graph(self.nodes, "pose", [value_info(t) for t in self.inputs],
                                  [value_info(t) for t in outputs], self.initializers)
        model = helper.make_model(graph, producer_name="vesk tflite2onnx",
                                  opset_imports=[helper.make_opsetid("", OPSET)])
        model.ir_version = 6
        onnx.checker.check_model(model)
        return model


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("model")
    parser.add_argument("output")
    parser.add_argument("--sha256", help="refuse a model file whose SHA-256 differs")
    parser.add_argument("--outputs", help="comma-separated outputs to keep (default: all)")
    args = parser.parse_args()
    try:
        with open(args.model, "rb") as f:
            data = f.read()
    except OSError as e:
        print(f"tflite2onnx: cannot read {args.model} ({e.strerror}); 'npm ci' installs the "
              "pinned models", file=sys.stderr)
        return 1
    if args.sha256 and hashlib.sha256(data).hexdigest() != args.sha256.lower():
        print(f"tflite2onnx: {args.model} is not the pinned model (SHA-256 "
              f"{hashlib.sha256(data).hexdigest()})", file=sys.stderr)
        return 1
    model = Converter(data).convert(args.outputs.split(",") if args.outputs else None)
    onnx.save(model, args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
